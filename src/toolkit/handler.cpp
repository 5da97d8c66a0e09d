// Reporting of handler errors in a message box.
#include "toolkit/handler.h"

#include <QApplication>
#include <QMessageBox>

namespace toolkit {

namespace {
ErrorReporter& Reporter() {
    static ErrorReporter reporter = [](const QString& message) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Тренажер"), message,
                        QMessageBox::Ok);
        box.exec();
    };
    return reporter;
}
}  // namespace

void ReportHandlerError(const QString& message) {
    Reporter()(message);
}

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(Reporter());
    Reporter() = std::move(reporter);
    return previous;
}

}  // namespace toolkit
