#include "AddLettersDialog.h"

#include "faces/FaceFile.h"
#include "letters/LetterPicture.h"
#include "text/CodePage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace fontlathe {

namespace {

constexpr std::array<GenerationStyle, 3> Styles = {
    GenerationStyle::Normal, GenerationStyle::Shadowed, GenerationStyle::Outlined};

// The glyphs are shown four times their size, each on a margin of its background on a grey page,
// so that an ogonek or a stroke can be judged whatever the colours of the font.
constexpr int GlyphZoom = 4;

QString Capitalised(QString text) {
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
    }
    return text;
}

// A family by its name, a bitmap face file by its file name.
QString FontLabel(const QString& family) {
    return NamesFaceFile(family) ? QFileInfo(family).fileName() : family;
}

class AddLettersDialog : public QDialog {
public:
    AddLettersDialog(QWidget* parent, const AddLettersChoices& initial,
                     const AddLettersPlanner& plan, const FontAsker& askFont,
                     const FileAsker& askFile, const AddLettersPictureSaver& save)
        : QDialog(parent), plan_(plan), askFont_(askFont), drawWith_(initial.drawWith) {
        setWindowTitle(QStringLiteral("Add Letters"));
        pages_ = new QComboBox(this);
        pages_->setObjectName(QStringLiteral("toPage"));
        for (const CodePageInfo& page : KnownCodePages()) {
            pages_->addItem(
                QStringLiteral("%1: %2 (%3)").arg(page.name, page.script, page.description),
                page.name);
        }
        // A mapping file can be the target page too, as on the command line.
        if (pages_->findData(initial.toPage) < 0 && !initial.toPage.isEmpty()) {
            pages_->addItem(QFileInfo(initial.toPage).fileName(), initial.toPage);
        }
        pages_->addItem(QStringLiteral("Mapping File..."), QString());
        pages_->setCurrentIndex(std::max(0, pages_->findData(initial.toPage)));
        lastPage_ = pages_->currentIndex();
        // The page the font is drawn for comes first: the table reads the font through it.
        fromPages_ = new QComboBox(this);
        fromPages_->setObjectName(QStringLiteral("fromPage"));
        for (const CodePageInfo& page : KnownCodePages()) {
            fromPages_->addItem(
                QStringLiteral("%1: %2 (%3)").arg(page.name, page.script, page.description),
                page.name);
        }
        if (fromPages_->findData(initial.fromPage) < 0) {
            fromPages_->addItem(QFileInfo(initial.fromPage).fileName(), initial.fromPage);
        }
        // A font re-laid out by a mapping file is read through it here in one pass.
        fromPages_->addItem(QStringLiteral("Mapping File..."), QString());
        const int from = std::max(0, fromPages_->findData(initial.fromPage));
        if (initial.fromPageFound) {
            fromPages_->setItemText(from, fromPages_->itemText(from) +
                                              QStringLiteral(" (found from its glyphs)"));
        }
        fromPages_->setCurrentIndex(from);
        lastFromPage_ = from;

        ofText_ = new QRadioButton(QStringLiteral("Those of this text:"), this);
        wholePage_ = new QRadioButton(QStringLiteral("Every letter of the page"), this);
        auto* group = new QButtonGroup(this);
        group->addButton(ofText_);
        group->addButton(wholePage_);
        (initial.letters == WantedLetters::WholePage ? wholePage_ : ofText_)->setChecked(true);
        text_ = new QLineEdit(initial.text, this);

        draw_ = new QCheckBox(QStringLiteral("Draw what nothing else makes with"), this);
        draw_->setChecked(drawWith_.has_value());
        fontButton_ = new QPushButton(this);
        styles_ = new QComboBox(this);
        for (const GenerationStyle style : Styles) {
            styles_->addItem(Capitalised(GenerationStyleName(style)));
        }
        styles_->setCurrentIndex(static_cast<int>(
            std::find(Styles.begin(), Styles.end(), initial.style) - Styles.begin()));

        table_ = new QTreeWidget(this);
        table_->setRootIsDecorated(false);
        table_->setHeaderLabels({QStringLiteral("Code"), QStringLiteral("Letter"),
                                 QStringLiteral("Glyph"), QStringLiteral("How")});
        table_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        table_->header()->setStretchLastSection(true);
        lost_ = new QLabel(this);
        lost_->setWordWrap(true);
        totals_ = new QLabel(this);
        totals_->setWordWrap(true);

        auto* letters = new QGridLayout;
        letters->addWidget(ofText_, 0, 0);
        letters->addWidget(text_, 0, 1);
        letters->addWidget(wholePage_, 1, 0, 1, 2);
        auto* drawing = new QHBoxLayout;
        drawing->addWidget(draw_);
        drawing->addWidget(fontButton_);
        drawing->addWidget(new QLabel(QStringLiteral("Style:"), this));
        drawing->addWidget(styles_);
        drawing->addStretch();
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("Code page the font is drawn for:"), fromPages_);
        moveReserved_ = new QCheckBox(QStringLiteral("Move reserved letters to free codes"), this);
        moveReserved_->setChecked(initial.moveReserved);
        auto* target = new QHBoxLayout;
        target->addWidget(pages_, 1);
        target->addWidget(moveReserved_);
        form->addRow(QStringLiteral("Code page of the game's text:"), target);
        form->addRow(QStringLiteral("Letters:"), letters);
        form->addRow(QString(), drawing);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        QPushButton* picture =
            buttons->addButton(QStringLiteral("Save Picture..."), QDialogButtonBox::ActionRole);
        connect(picture, &QPushButton::clicked, this, [this, save] { save(this, Choices()); });
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(table_, 1);
        layout->addWidget(lost_);
        layout->addWidget(totals_);
        layout->addWidget(buttons);
        resize(640, 560);

        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        // "Mapping File..." in either list asks for a file and puts it above itself.
        const auto mappingFile = [this, askFile](QComboBox* list, int& last, int index) {
            if (list->itemData(index).toString().isEmpty()) {
                const QString path = askFile(this);
                const QSignalBlocker quiet(list);
                if (path.isEmpty()) {
                    list->setCurrentIndex(last);
                    return;
                }
                list->insertItem(index, QFileInfo(path).fileName(), path);
                list->setCurrentIndex(index);
            }
            last = list->currentIndex();
            Replan();
        };
        connect(pages_, &QComboBox::currentIndexChanged, this,
                [this, mappingFile](int index) { mappingFile(pages_, lastPage_, index); });
        connect(fromPages_, &QComboBox::currentIndexChanged, this,
                [this, mappingFile](int index) { mappingFile(fromPages_, lastFromPage_, index); });
        connect(styles_, &QComboBox::currentIndexChanged, this, [this] { Replan(); });
        connect(moveReserved_, &QCheckBox::toggled, this, [this] { Replan(); });
        connect(group, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
            if (on) {
                Replan();
            }
        });
        // Typing plans once it pauses, not on every key.
        typing_ = new QTimer(this);
        typing_->setSingleShot(true);
        typing_->setInterval(200);
        connect(typing_, &QTimer::timeout, this, [this] { Replan(); });
        connect(text_, &QLineEdit::textChanged, this, [this] {
            const QSignalBlocker quiet(ofText_);
            ofText_->setChecked(true);
            typing_->start();
        });
        connect(draw_, &QCheckBox::toggled, this, [this](bool on) {
            if (on && !drawWith_) {
                ChooseFont();
            }
            Replan();
        });
        connect(fontButton_, &QPushButton::clicked, this, [this] {
            ChooseFont();
            Replan();
        });
        Replan();
    }

    AddLettersChoices Choices() const {
        AddLettersChoices choices;
        choices.toPage = pages_->currentData().toString();
        choices.fromPage = fromPages_->currentData().toString();
        choices.letters =
            wholePage_->isChecked() ? WantedLetters::WholePage : WantedLetters::OfText;
        choices.text = text_->text();
        if (draw_->isChecked()) {
            choices.drawWith = drawWith_;
        }
        choices.style = Styles[static_cast<std::size_t>(std::max(0, styles_->currentIndex()))];
        choices.moveReserved = moveReserved_->isChecked();
        return choices;
    }

private:
    // A cancelled requester leaves the font there was, and without one nothing is drawn.
    void ChooseFont() {
        const FontChoice preselected =
            drawWith_.value_or(FontChoice{QStringLiteral("DejaVu Sans"), 12});
        if (const std::optional<FontChoice> chosen = askFont_(this, preselected)) {
            drawWith_ = chosen;
        }
        const QSignalBlocker blocker(draw_);
        draw_->setChecked(draw_->isChecked() && drawWith_.has_value());
    }

    void Replan() {
        fontButton_->setText(drawWith_ ? FontLabel(drawWith_->family) + QStringLiteral("...")
                                       : QStringLiteral("Choose Font..."));
        styles_->setEnabled(draw_->isChecked());
        const LetterReport preview = plan_(Choices());
        table_->clear();
        // Every glyph goes on a canvas of one size, so that the rows line up, and is shown as a
        // pixmap, which the view draws unscaled: an icon it scales down loses pixels.
        QSize largest(1, 1);
        for (const LetterReport::Row& row : preview.rows) {
            largest = largest.expandedTo(row.glyph.size()).expandedTo(row.from.size());
        }
        const int zoom = GlyphZoom;
        // The glyph it was made from, then the new one, each framed.
        const int gap = 2 * zoom;
        const QSize framed = (largest + QSize(2, 2)) * zoom;
        const QSize canvasSize(2 * framed.width() + 3 * gap, framed.height() + 2 * gap);
        for (const LetterReport::Row& row : preview.rows) {
            auto* item = new QTreeWidgetItem(table_, {row.code, row.letter, QString(), row.how});
            if (!row.glyph.isNull()) {
                QPixmap canvas(canvasSize);
                canvas.fill(QColor::fromRgb(GlyphPageColor));
                QPainter painter(&canvas);
                if (!row.from.isNull()) {
                    painter.drawImage(QPoint(gap, gap), FramedGlyph(row.from, zoom));
                }
                painter.drawImage(QPoint(framed.width() + 2 * gap, gap),
                                  FramedGlyph(row.glyph, zoom));
                painter.end();
                item->setData(2, Qt::DecorationRole, canvas);
            }
        }
        lost_->setText(QStringLiteral("Lost: ") + preview.lost);
        totals_->setText(preview.totals + QStringLiteral("; new letters ") + preview.style);
    }

    AddLettersPlanner plan_;
    FontAsker askFont_;
    std::optional<FontChoice> drawWith_;
    QTimer* typing_ = nullptr;
    int lastPage_ = 0;
    QComboBox* pages_ = nullptr;
    QComboBox* fromPages_ = nullptr;
    int lastFromPage_ = 0;
    QRadioButton* ofText_ = nullptr;
    QRadioButton* wholePage_ = nullptr;
    QLineEdit* text_ = nullptr;
    QCheckBox* draw_ = nullptr;
    QCheckBox* moveReserved_ = nullptr;
    QPushButton* fontButton_ = nullptr;
    QComboBox* styles_ = nullptr;
    QTreeWidget* table_ = nullptr;
    QLabel* lost_ = nullptr;
    QLabel* totals_ = nullptr;
};

} // namespace

std::optional<AddLettersChoices>
RunAddLettersDialog(QWidget* parent, const AddLettersChoices& initial,
                    const AddLettersPlanner& plan, const FontAsker& askFont,
                    const FileAsker& askFile, const AddLettersPictureSaver& save) {
    AddLettersDialog dialog(parent, initial, plan, askFont, askFile, save);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Choices();
}

} // namespace fontlathe
