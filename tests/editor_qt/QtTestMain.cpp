// The Qt tests share one application object, made before any test runs. A modal window that
// no test answers would hold its test for ever: one left up for 15 s fails the test and is
// closed, so that the run goes on.
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kCheckMs = 500, kLongestModalMs = 15000;

void WatchForForgottenModals(QTimer& timer) {
    static QPointer<QWidget> seen;
    static int heldMs = 0;
    QObject::connect(&timer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        heldMs = modal && modal == seen ? heldMs + kCheckMs : 0;
        seen = modal;
        if (heldMs < kLongestModalMs) return;
        ADD_FAILURE() << "a modal window was left up: \"" << modal->windowTitle().toStdString() << "\"";
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
        heldMs = 0;
    });
    timer.start(kCheckMs);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QTimer watchdog;
    WatchForForgottenModals(watchdog);
    return RUN_ALL_TESTS();
}
