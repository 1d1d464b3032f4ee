#include "editor/qt/DesktopViewer.h"

#include <QTimer>
#include <memory>

#include "platform/DesktopOpen.h"

namespace editor {
namespace {

constexpr int kWatchMs = 100;

}  // namespace

void OpenInDesktopViewer(const std::string& path, QObject& owner, std::function<void()> failed) {
    using Outcome = platform::DesktopOpening::Outcome;
    auto opening = std::make_shared<platform::DesktopOpening>(path);
    if (opening->Poll() == Outcome::NotShown) {
        failed();
        return;
    }
    auto* watch = new QTimer(&owner);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, opening, failed = std::move(failed)] {
        const Outcome outcome = opening->Poll();
        if (outcome == Outcome::Pending) return;
        watch->deleteLater();
        if (outcome == Outcome::NotShown) failed();
    });
    watch->start(kWatchMs);
}

}  // namespace editor
