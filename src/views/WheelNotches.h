#pragma once

#include <QWheelEvent>

#include <optional>

namespace fontlathe {

// Turns Ctrl+wheel movement into whole notches of 120 eighths of a degree. A touchpad or a fine
// wheel sends a notch in several small parts; the remainder is kept, so they add up to one step.
class WheelNotches {
public:
    // For Ctrl+wheel, accepts the event and gives the whole notches it completes (often none),
    // positive away from the user; a wheel without Ctrl is left alone and gives nothing.
    std::optional<int> TakeZoom(QWheelEvent& event) {
        if (!event.modifiers().testFlag(Qt::ControlModifier)) {
            return std::nullopt;
        }
        constexpr int Notch = 120;
        event.accept();
        remainder_ += event.angleDelta().y();
        const int notches = remainder_ / Notch;
        remainder_ -= notches * Notch;
        return notches;
    }

private:
    int remainder_ = 0;
};

} // namespace fontlathe
