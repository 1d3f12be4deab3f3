#pragma once

#include "ControlIds.h"
#include "charset/Charset.h"

#include <QMainWindow>

#include <array>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSlider;

namespace fontlathe {

class CharTableView;
class GlyphView;
class ImageView;
class NumericField;
class PaletteBar;
class ShortcutKeeper;

// The one window: its menus, shortcuts and every control at its fixed place. The window knows
// nothing of what commands do; it reports menu commands and control events by id, and offers
// its controls to whoever carries the commands out.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 910;
    static constexpr int ClientHeight = 650;
    // The client area's smallest size is 910 x 650, and the window opens at that size at first.

    explicit MainWindow(const Charset& set);
    ~MainWindow() override;

    QWidget* control(int id) const;
    CharTableView* charList() const { return charList_; }
    GlyphView* glyphView() const { return glyphView_; }
    PaletteBar* paletteBar() const { return paletteBar_; }
    ImageView* previewImage() const { return previewImage_; }
    NumericField* heightField() const { return heightField_; }
    NumericField* colorMapField(int i) const {
        return colorMapFields_.at(static_cast<std::size_t>(i));
    }
    QPlainTextEdit* previewText() const { return previewText_; }
    QList<QAction*> menuActions() const { return menuActions_; }
    QAction* menuAction(int menuId) const;

    // The state of a list (its selected row), track bar (value), radio button or check box (1/0).
    int StateOf(int id) const;
    // The text of a control; a frame's title.
    QString TextOf(int id) const;
    // Both change a control only when it differs, and raise no event of the control.
    void SetStateIfChanged(int id, int state);
    void SetTextIfChanged(int id, const QString& text);

    int CurrentRow() const;
    bool CharListHasFocus() const;
    void FocusCharList();
    bool DirtyBytesChecked() const;
    int Zoom() const;
    int PreviewZoom() const;
    // The sample text as typed, no-break spaces kept, each line break a "\n".
    QString PreviewSampleText() const;

    // Centres the window's frame on its screen; called before it is shown.
    void CenterOnScreen();
    // Fills File > Open Recent with these files, most recent first.
    void SetRecentFiles(const QStringList& paths);
    // Checks the page of that name in Edit > Code Page; none for a mapping file's page.
    void CheckCodePage(const QString& name);
    QMenu* codePageMenu() const { return codePageMenu_; }
    // While pixels float, Return and Escape are the window's in the text fields too.
    void TakeFloatKeys(bool taken);
    QMenu* recentMenu() const { return recentMenu_; }

signals:
    void menuCommand(int menuId);
    void controlEvent(int controlId);
    // An entry of Open Recent was chosen.
    void openRecent(const QString& path);
    // A standard page of Edit > Code Page was chosen.
    void codePageChosen(const QString& name);
    // The preview's image view changed its size with the window's.
    void previewResized();
    // The Edit menu is about to open: its items should say what they would do.
    void editMenuAboutToShow();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The close button asks the dispatch to close, which may ask about unsaved changes first.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void FillCodePageMenu();
    void BuildControls(const Charset& set);
    // Ctrl+wheel over the glyph and the preview moves their zoom sliders, whose tooltips name
    // the zoom in use.
    void ConnectZoomWheels();
    template <typename Widget> Widget* Place(int id, Widget* widget, int x, int y, int w, int h);
    QAction* AddMenuItem(QMenu* menu, int menuId, const QString& label,
                         const QList<QKeySequence>& shortcuts);
    QAction* AddRememberedOption(QMenu* menu, int menuId, const QString& label, const QString& key,
                                 bool byDefault);
    void ReportClicks(QAbstractButton* button, int id);
    // The size the window had when it was last resized by the user; empty before the first.
    static QSize RememberedSize();
    // Places the controls for a client area of that size: at their own places at the smallest.
    void LayOut(QSize client);
    // The frame's width on each side of the client area; none until the window is decorated.
    QMargins FrameMargins() const;

    QWidget* client_;
    std::array<QWidget*, Control::Count> controls_{};
    // Where each control stands in the smallest client area.
    std::array<QRect, Control::Count> placed_{};
    QList<QAction*> menuActions_;
    ShortcutKeeper* shortcutKeeper_;
    QMenu* recentMenu_ = nullptr;
    QMenu* codePageMenu_ = nullptr;
    QList<QAction*> recentActions_;

    CharTableView* charList_ = nullptr;
    GlyphView* glyphView_ = nullptr;
    PaletteBar* paletteBar_ = nullptr;
    ImageView* previewImage_ = nullptr;
    NumericField* heightField_ = nullptr;
    std::array<NumericField*, ColorMapSize> colorMapFields_{};
    QPlainTextEdit* previewText_ = nullptr;
    QButtonGroup* shiftModes_ = nullptr;
    // Whether the frame is still to be centred once the window manager has added it.
    bool centringFrame_ = false;
};

} // namespace fontlathe
