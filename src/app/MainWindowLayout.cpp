// Where the window stands and how its controls follow it when it grows.
#include "MainWindow.h"

#include "views/ImageView.h"

#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <map>

namespace fontlathe {

namespace {

const QString SizeKey = QStringLiteral("windowSize");

// How a control follows the client area when it is larger than 910 x 650. The extra width goes
// to the frames, the glyph canvas and the preview, and moves what stands right of them; the
// extra height is shared by the character frame (the table and the canvas grow) and the preview
// (it grows, and what stands below the character frame moves down).
struct Stretch {
    enum Height { None, Chars, Preview };
    bool moveRight = false;
    bool growWide = false;
    bool moveDown = false;
    Height grow = None;
};

// Every control that follows the window; the others keep their place at the top left.
const std::map<int, Stretch>& Stretches() {
    using enum Control::Id;
    const Stretch right{true, false, false, Stretch::None};
    const Stretch wide{false, true, false, Stretch::None};
    const Stretch down{false, false, true, Stretch::None};
    const Stretch downRight{true, false, true, Stretch::None};
    const Stretch chars{false, true, false, Stretch::Chars};
    const Stretch preview{false, true, true, Stretch::Preview};
    static const std::map<int, Stretch> stretches = {
        {FontPrefsFrame, wide},
        {CodePageLabel, wide},
        {DirtyBytesLabel, right},
        {DirtyBytesCheck, right},
        {ZoomBar, right},
        {OnButton, right},
        {OffButton, right},
        {CharsFrame, chars},
        {GlyphScrollArea, chars},
        {CharList, {false, false, false, Stretch::Chars}},
        {PaletteBar, down},
        {ShiftLeftButton, down},
        {ShiftRightButton, down},
        {ShiftUpButton, down},
        {ShiftDownButton, down},
        {RollOption, down},
        {ResizeOption, down},
        {OffsetOption, down},
        {LastCharButton, downRight},
        {PreviewZoomBar, downRight},
        {PreviewFrame, preview},
        {PreviewImage, preview},
        {PreviewText, {false, false, true, Stretch::Preview}},
    };
    return stretches;
}

} // namespace

QSize MainWindow::RememberedSize() {
    return QSettings().value(SizeKey).toSize();
}

void MainWindow::LayOut(QSize client) {
    const int wider = std::max(0, client.width() - ClientWidth);
    const int higher = std::max(0, client.height() - ClientHeight);
    const int chars = higher / 2;
    const int preview = higher - chars;
    for (int id = 0; id < Control::Count; ++id) {
        const QRect& placed = placed_[static_cast<std::size_t>(id)];
        if (placed.isNull()) {
            continue;
        }
        const auto found = Stretches().find(id);
        const Stretch stretch = found == Stretches().end() ? Stretch{} : found->second;
        const int grow = stretch.grow == Stretch::Chars     ? chars
                         : stretch.grow == Stretch::Preview ? preview
                                                            : 0;
        control(id)->setGeometry(placed.x() + (stretch.moveRight ? wider : 0),
                                 placed.y() + (stretch.moveDown ? chars : 0),
                                 placed.width() + (stretch.growWide ? wider : 0),
                                 placed.height() + grow);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        const QSize previewBefore = previewImage_->size();
        LayOut(static_cast<QResizeEvent*>(event)->size());
        if (isVisible()) {
            QSettings().setValue(SizeKey, size());
        }
        if (previewImage_->size() != previewBefore) {
            emit previewResized();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QMargins MainWindow::FrameMargins() const {
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

void MainWindow::CenterOnScreen() {
    // Placed before it is shown, the window opens where it belongs instead of where the window
    // manager would put it. Its frame is not known until the window manager has decorated it, so
    // until then the client area is centred, and the frame once it is known (see event()).
    if (const QScreen* screen = this->screen()) {
        const QMargins margins = FrameMargins();
        const QRect frame = QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, size().grownBy(margins), screen->availableGeometry());
        setGeometry(frame.marginsRemoved(margins));
        centringFrame_ = margins.isNull();
    }
}

bool MainWindow::event(QEvent* event) {
    // The first paint follows the window manager's decoration of the window, so the frame is
    // known by then if there is one; it is centred once, and later moves are the user's. The
    // type goes first: events arrive while the base class is built, before the member is.
    if (event->type() == QEvent::Paint && centringFrame_) {
        centringFrame_ = false;
        if (!FrameMargins().isNull()) {
            QTimer::singleShot(0, this, &MainWindow::CenterOnScreen);
        }
    }
    return QMainWindow::event(event);
}

} // namespace fontlathe
