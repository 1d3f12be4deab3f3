#include "MainWindow.h"

#include "ProgramTexts.h"
#include "gui/NumericField.h"
#include "gui/ShortcutKeeper.h"
#include "render/TextPreview.h"
#include "views/CharTableView.h"
#include "views/ElidingLabel.h"
#include "views/GlyphView.h"
#include "views/ImageView.h"
#include "views/PaletteBar.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTextDocument>

namespace fontlathe {

namespace {

QSlider* TrackBar(int minimum, int maximum) {
    auto* slider = new QSlider(Qt::Vertical);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setTickInterval(1);
    slider->setTickPosition(QSlider::TicksBothSides);
    return slider;
}

} // namespace

MainWindow::MainWindow(const Charset& set)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      client_(new QWidget(this)), shortcutKeeper_(new ShortcutKeeper(this)) {
    setWindowTitle(ProgramTitle);
    client_->setMinimumSize(ClientWidth, ClientHeight);
    setCentralWidget(client_);
    BuildMenus();
    BuildControls(set);
    client_->installEventFilter(this);
    ConnectZoomWheels();
    // On Linux the menu bar is part of the window: the client area is at least 910 x 650 below
    // it, and opens at the size the window had when it was last closed.
    const QSize smallest(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    setMinimumSize(smallest);
    resize(RememberedSize().expandedTo(smallest));
}

MainWindow::~MainWindow() = default;

template <typename Widget>
Widget* MainWindow::Place(int id, Widget* widget, int x, int y, int w, int h) {
    widget->setParent(client_);
    widget->setGeometry(x, y, w, h);
    placed_[static_cast<std::size_t>(id)] = QRect(x, y, w, h);
    widget->setObjectName(QStringLiteral("control%1").arg(id));
    controls_[static_cast<std::size_t>(id)] = widget;
    return widget;
}

void MainWindow::ReportClicks(QAbstractButton* button, int id) {
    connect(button, &QAbstractButton::clicked, this, [this, id] { emit controlEvent(id); });
}

void MainWindow::BuildControls(const Charset& set) {
    Place(Control::FontPrefsFrame, new QGroupBox(FontPrefsFrameTitle), 10, 10, 890, 100);
    Place(Control::BitsLabel, new QLabel, 30, 40, 115, 22);
    Place(Control::VersionLabel, new QLabel, 160, 40, 180, 22);
    Place(Control::CodePageLabel, new ElidingLabel, 345, 40, 125, 22);
    Place(Control::HeightLabel, new QLabel(QStringLiteral("Height:")), 30, 70, 60, 22);
    Place(Control::PaletteIndexLabel, new QLabel(QStringLiteral("Palette Index:")), 160, 70, 100,
          22);
    heightField_ = Place(Control::HeightField, new NumericField(nullptr), 90, 68, 39, 22);
    connect(heightField_, &NumericField::fieldEvent, this,
            [this] { emit controlEvent(Control::HeightField); });
    auto* dirtyLabel =
        Place(Control::DirtyBytesLabel,
              new QLabel(QStringLiteral(
                  "Save with dirty bytes, like LucasArts (to get the same file size)")),
              435, 40, 420, 22);
    dirtyLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ReportClicks(Place(Control::DirtyBytesCheck, new QCheckBox, 865, 38, 22, 22),
                 Control::DirtyBytesCheck);
    for (int i = 0; i < ColorMapSize; ++i) {
        const int id = Control::ColorMapField0 + i;
        NumericField* field = Place(id, new NumericField(nullptr), 266 + 41 * i, 68, 39, 22);
        connect(field, &NumericField::fieldEvent, this, [this, id] { emit controlEvent(id); });
        colorMapFields_[static_cast<std::size_t>(i)] = field;
        field->setToolTip(PaletteIndexToolTip(i));
    }

    Place(Control::CharsFrame, new QGroupBox(CharsFrameTitle()), 10, 120, 890, 390);
    charList_ = Place(Control::CharList, new CharTableView(nullptr), 30, 150, 480, 340);
    SetStateIfChanged(Control::CharList, 0);
    charList_->setFocus();
    connect(charList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit controlEvent(Control::CharList); });
    connect(charList_, &QAbstractItemView::clicked, this,
            [this] { emit controlEvent(Control::CharList); });
    connect(charList_, &QAbstractItemView::doubleClicked, this,
            [this] { emit controlEvent(Control::CharList); });

    glyphView_ = Place(Control::GlyphScrollArea, new GlyphView(set, nullptr), 530, 150, 290, 210);
    controls_[Control::GlyphCanvas] = glyphView_->canvas();
    controls_[Control::ReferenceField] = glyphView_->referenceField();
    connect(glyphView_->referenceField(), &QLineEdit::textEdited, this,
            [this] { emit controlEvent(Control::ReferenceField); });
    paletteBar_ = Place(Control::PaletteBar, new PaletteBar(nullptr), 530, 375, 352, 30);
    QSlider* zoomBar = Place(Control::ZoomBar, TrackBar(1, 24), 840, 220, 40, 140);
    SetStateIfChanged(Control::ZoomBar, 10);
    connect(zoomBar, &QSlider::valueChanged, this, [this] { emit controlEvent(Control::ZoomBar); });
    struct Button {
        int id;
        const char* label;
        QRect at;
    };
    for (const Button& button :
         {Button{Control::OnButton, "On", {835, 150, 45, 30}},
          Button{Control::OffButton, "Off", {835, 180, 45, 30}},
          Button{Control::LastCharButton, "= last char", {780, 460, 100, 30}},
          Button{Control::ShiftLeftButton, "<", {530, 420, 40, 70}},
          Button{Control::ShiftRightButton, ">", {630, 420, 40, 70}},
          Button{Control::ShiftUpButton, "^", {570, 420, 60, 35}},
          Button{Control::ShiftDownButton, "v", {570, 455, 60, 35}}}) {
        const QRect& at = button.at;
        ReportClicks(Place(button.id, new QPushButton(QString::fromLatin1(button.label)), at.x(),
                           at.y(), at.width(), at.height()),
                     button.id);
    }
    shiftModes_ = new QButtonGroup(this);
    const std::pair<int, const char*> modes[] = {{Control::RollOption, "Roll"},
                                                 {Control::ResizeOption, "Resize"},
                                                 {Control::OffsetOption, "Offset"}};
    int y = 424;
    for (auto [id, label] : modes) {
        auto* option = Place(id, new QRadioButton(QString::fromLatin1(label)), 690, y, 80, 22);
        shiftModes_->addButton(option, id);
        ReportClicks(option, id);
        y += 22;
    }
    SetStateIfChanged(Control::RollOption, 1);
    for (const auto& [id, tip] : ControlToolTips()) {
        control(id)->setToolTip(tip);
    }

    Place(Control::PreviewFrame, new QGroupBox(PreviewFrameTitle), 10, 520, 890, 120);
    previewText_ = Place(Control::PreviewText, new QPlainTextEdit, 30, 550, 170, 70);
    previewText_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    previewText_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    previewText_->setTabChangesFocus(true);
    SetTextIfChanged(Control::PreviewText, SampleText);
    connect(previewText_, &QPlainTextEdit::textChanged, this,
            [this] { emit controlEvent(Control::PreviewText); });
    previewImage_ = Place(Control::PreviewImage, new ImageView(nullptr), 220, 550,
                          PreviewSize.width(), PreviewSize.height());
    QSlider* previewZoomBar = Place(Control::PreviewZoomBar, TrackBar(1, 6), 840, 550, 40, 70);
    SetStateIfChanged(Control::PreviewZoomBar, 2);
    connect(previewZoomBar, &QSlider::valueChanged, this,
            [this] { emit controlEvent(Control::PreviewZoomBar); });

    shortcutKeeper_->Watch(heightField_);
    for (NumericField* field : colorMapFields_) {
        shortcutKeeper_->Watch(field);
    }
    shortcutKeeper_->Watch(previewText_);
    shortcutKeeper_->Watch(glyphView_->referenceField());
}

void MainWindow::TakeFloatKeys(bool taken) {
    QList<QKeySequence> keys;
    for (const int id : {Menu::DropPixels, Menu::DeselectPixels}) {
        if (const QAction* action = menuAction(id); taken && action != nullptr) {
            keys.append(action->shortcuts());
        }
    }
    shortcutKeeper_->SetTakenKeys(keys);
}

void MainWindow::ConnectZoomWheels() {
    struct ZoomBar {
        QSlider* bar;
        QString what; // what the slider's tooltip says of it
        QString over; // where Ctrl+wheel changes it
    };
    const ZoomBar bars[] = {
        {qobject_cast<QSlider*>(control(Control::ZoomBar)), ZoomToolTip, QStringLiteral("glyph")},
        {qobject_cast<QSlider*>(control(Control::PreviewZoomBar)), PreviewZoomToolTip,
         QStringLiteral("preview")}};
    for (const ZoomBar& zoom : bars) {
        const auto showZoom = [zoom] {
            zoom.bar->setToolTip(zoom.what + QStringLiteral("\nZoom: %1x (Ctrl+wheel over the %2)")
                                                 .arg(zoom.bar->value())
                                                 .arg(zoom.over));
        };
        showZoom();
        connect(zoom.bar, &QSlider::valueChanged, zoom.bar, showZoom);
    }
    // A step beyond the slider's range stops at its end; the slider then reports as if dragged.
    const auto stepper = [](QSlider* bar) {
        return [bar](int steps) { bar->setValue(bar->value() + steps); };
    };
    connect(glyphView_, &GlyphView::zoomStepRequested, this, stepper(bars[0].bar));
    connect(previewImage_, &ImageView::zoomStepRequested, this, stepper(bars[1].bar));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit menuCommand(Menu::Close);
}

} // namespace fontlathe
