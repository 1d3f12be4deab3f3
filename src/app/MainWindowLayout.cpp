// Where the window stands and how its controls follow it when it grows.
#include "MainWindow.h"

#include "views/ImageView.h"

#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTimer>

#include <algorithm>

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

Stretch StretchOf(int id) {
    switch (id) {
    case Control::FontPrefsFrame:
    case Control::CodePageLabel:
        return {false, true, false, Stretch::None};
    case Control::DirtyBytesLabel:
    case Control::DirtyBytesCheck:
    case Control::ZoomBar:
    case Control::OnButton:
    case Control::OffButton:
        return {true, false, false, Stretch::None};
    case Control::CharsFrame:
    case Control::GlyphScrollArea:
        return {false, true, false, Stretch::Chars};
    case Control::CharList:
        return {false, false, false, Stretch::Chars};
    case Control::PaletteBar:
    case Control::ShiftLeftButton:
    case Control::ShiftRightButton:
    case Control::ShiftUpButton:
    case Control::ShiftDownButton:
    case Control::RollOption:
    case Control::ResizeOption:
    case Control::OffsetOption:
        return {false, false, true, Stretch::None};
    case Control::LastCharButton:
    case Control::PreviewZoomBar:
        return {true, false, true, Stretch::None};
    case Control::PreviewFrame:
    case Control::PreviewImage:
        return {false, true, true, Stretch::Preview};
    case Control::PreviewText:
        return {false, false, true, Stretch::Preview};
    default:
        return {};
    }
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
        const Stretch stretch = StretchOf(id);
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
