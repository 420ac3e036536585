#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <QFont>
#include <QString>
#include <QWidget>
#include <vector>

#include "base/Color.h"
#include "base/Geometry.h"
#include "designer/KxArrange.h"
#include "designer/KxLabFlat.h"
#include "designer/KxMapping.h"
#include "designer/KxMarks.h"
#include "designer/KxOverlay.h"
#include "kxlab_export.h"
#include "label/KxAlias.h"
#include "label/KxBackSurf.h"
#include "label/KxCellWalk.h"
#include "label/KxFrame.h"
#include "label/KxGrid.h"
#include "label/KxLabel.h"
#include "label/KxMeasure.h"
#include "label/KxPrintInfo.h"
#include "label/KxPrintRun.h"
#include "label/KxRulers.h"
#include "types/KxScreenMap.h"
#include "types/KxStepNames.h"
#include "types/KxStock.h"
#include "types/Kxtypes.h"

class QIODevice;
class QScrollBar;
class TBitmap;
class TCanvas;
class TKxElement;
class TKxPreviewPages;
class TMetafile;
class TTable;

/// Progress of a run: labels drawn and sheets begun so far.
using TKxPrintProgress = std::function<void(int64_t Labels, int64_t Sheets)>;

/// The host's mouse-move event: buttons held, modifier keys, client pixels.
using TKxMouseMoveEvent =
    std::function<void(QObject* Sender, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y)>;

/// The label designer control: one label at a zoom, with rulers and its own scroll bars, on which
/// the user draws and edits the label's elements. It owns its label document (settings objects,
/// elements, bound table) and its off-screen bitmaps for its whole life, forwards the label's API to
/// the document and adds the view: mapping, scrolling, rendering, rulers, overlay and editing.
///
/// Set-up: a host that sets several properties in a row brackets them with BeginLoad()/EndLoad()
/// (or a TKxLab::TLoadGuard); repaint requests in between are ignored and EndLoad() paints once.
/// Events: assign the On... callables, or connect to the matching signals; both fire.
class KXLAB_EXPORT TKxLab : public QWidget, public TKxLabFlat<TKxLab> {
    Q_OBJECT
    Q_PROPERTY(KxEnums::TKxUnits Units READ GetUnits WRITE SetUnits)
    Q_PROPERTY(QVariant Color READ GetColorValue WRITE SetColorValue)
    Q_PROPERTY(bool ShowMargins READ GetShowMargins WRITE SetShowMargins)
    Q_PROPERTY(bool AllowEdit READ GetAllowEdit WRITE SetAllowEdit)
    Q_PROPERTY(TKxGrid* Grid READ GetGrid WRITE SetGrid DESIGNABLE false)
    Q_PROPERTY(KxEnums::TKxSnap Snap READ GetSnap WRITE SetSnap)
    Q_PROPERTY(KxEnums::TKxZoom Zoom READ GetZoom WRITE SetZoom)
    Q_PROPERTY(TKxFrame* Frame READ GetFrame WRITE SetFrame DESIGNABLE false)
    Q_PROPERTY(TKxMeasure* Measure READ GetMeasure WRITE SetMeasure DESIGNABLE false)
    Q_PROPERTY(TKxRulers* Rulers READ GetRulers WRITE SetRulers DESIGNABLE false)
    Q_PROPERTY(TKxBackSurf* BackSurf READ GetBackSurf WRITE SetBackSurf DESIGNABLE false)
    Q_PROPERTY(KxEnums::TKxDrawTool DrawTool READ GetDrawTool WRITE SetDrawTool)
    Q_PROPERTY(QVariant SelColor READ GetSelColorValue WRITE SetSelColorValue)
    Q_PROPERTY(TBorderStyle BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TKxPrintInfo* PrintInfo READ GetPrintInfo WRITE SetPrintInfo DESIGNABLE false)
    Q_PROPERTY(bool DaBa READ GetDaBa WRITE SetDaBa DESIGNABLE false)
    Q_PROPERTY(TKxAlias* Alias READ GetAlias WRITE SetAlias DESIGNABLE false)
    // The catalogue as JSON text: the form in which Qt Designer and host forms edit and store it.
    Q_PROPERTY(QString AliasCatalogue READ GetAliasCatalogue WRITE SetAliasCatalogue)
    // The settings objects' values, flat, for Qt Designer and forms; declared after Units, so a form
    // that Designer writes sets the unit before the lengths. Lengths are double: Designer shows no
    // float property.
    Q_PROPERTY(double MeasureHeight READ GetMeasureHeight WRITE setMeasureHeight)
    Q_PROPERTY(double MeasureWidth READ GetMeasureWidth WRITE setMeasureWidth)
    Q_PROPERTY(double MeasureMarLeft READ GetMeasureMarLeft WRITE setMeasureMarLeft)
    Q_PROPERTY(double MeasureMarTop READ GetMeasureMarTop WRITE setMeasureMarTop)
    Q_PROPERTY(double MeasureDiHor READ GetMeasureDiHor WRITE setMeasureDiHor)
    Q_PROPERTY(double MeasureDiVer READ GetMeasureDiVer WRITE setMeasureDiVer)
    Q_PROPERTY(int MeasureNuHor READ GetMeasureNuHor WRITE setMeasureNuHor)
    Q_PROPERTY(int MeasureNuVer READ GetMeasureNuVer WRITE setMeasureNuVer)
    Q_PROPERTY(double MeasurePaperHeight READ GetMeasurePaperHeight WRITE setMeasurePaperHeight)
    Q_PROPERTY(double MeasurePaperWidth READ GetMeasurePaperWidth WRITE setMeasurePaperWidth)
    Q_PROPERTY(QString MeasurePaperName READ GetMeasurePaperName WRITE setMeasurePaperName)
    Q_PROPERTY(QString MeasureLabelName READ GetMeasureLabelName WRITE setMeasureLabelName)
    Q_PROPERTY(double MeasureInnerCircle READ GetMeasureInnerCircle WRITE setMeasureInnerCircle)
    Q_PROPERTY(KxEnums::TKxLabelType MeasureLabelType READ GetMeasureLabelType WRITE setMeasureLabelType)
    Q_PROPERTY(KxEnums::TKxFrameStyle FrameStyle READ GetFrameStyle WRITE setFrameStyle)
    Q_PROPERTY(double FrameDist1 READ GetFrameDist1 WRITE setFrameDist1)
    Q_PROPERTY(double FrameDist2 READ GetFrameDist2 WRITE setFrameDist2)
    Q_PROPERTY(double FramePenWidth READ GetFramePenWidth WRITE setFramePenWidth)
    Q_PROPERTY(double FrameRadio READ GetFrameRadio WRITE setFrameRadio)
    Q_PROPERTY(QVariant FrameColor READ GetFrameColorValue WRITE SetFrameColorValue)
    Q_PROPERTY(QVariant GridColor READ GetGridColorValue WRITE SetGridColorValue)
    Q_PROPERTY(double GridIncX READ GetGridIncX WRITE setGridIncX)
    Q_PROPERTY(double GridIncY READ GetGridIncY WRITE setGridIncY)
    Q_PROPERTY(bool GridShow READ GetGridShow WRITE setGridShow)
    Q_PROPERTY(bool BackSurfShowAlign READ GetBackSurfShowAlign WRITE setBackSurfShowAlign)
    Q_PROPERTY(bool BackSurfPrint READ GetBackSurfPrint WRITE setBackSurfPrint)
    Q_PROPERTY(QVariant BackSurfColor READ GetBackSurfColorValue WRITE SetBackSurfColorValue)
    Q_PROPERTY(QVariant BackSurfToColor READ GetBackSurfToColorValue WRITE SetBackSurfToColorValue)
    Q_PROPERTY(QVariant BackSurfAlignColor READ GetBackSurfAlignColorValue WRITE SetBackSurfAlignColorValue)
    Q_PROPERTY(double BackSurfAlignLeft READ GetBackSurfAlignLeft WRITE setBackSurfAlignLeft)
    Q_PROPERTY(double BackSurfAlignTop READ GetBackSurfAlignTop WRITE setBackSurfAlignTop)
    Q_PROPERTY(KxEnums::TKxBackStyle BackSurfStyle READ GetBackSurfStyle WRITE setBackSurfStyle)
    Q_PROPERTY(QString BackSurfFileName READ GetBackSurfFileName WRITE setBackSurfFileName)
    Q_PROPERTY(QVariant RulersColor READ GetRulersColorValue WRITE SetRulersColorValue)
    Q_PROPERTY(QVariant RulersMarkColor READ GetRulersMarkColorValue WRITE SetRulersMarkColorValue)
    Q_PROPERTY(QVariant RulersTickColor READ GetRulersTickColorValue WRITE SetRulersTickColorValue)
    Q_PROPERTY(bool RulersBorder READ GetRulersBorder WRITE setRulersBorder)
    Q_PROPERTY(bool RulersVisible READ GetRulersVisible WRITE setRulersVisible)
    Q_PROPERTY(QFont RulersFont READ GetRulersFont WRITE setRulersFont)
    Q_PROPERTY(QVariant RulersFontColor READ GetRulersFontColorValue WRITE SetRulersFontColorValue)

public:
    /// Window border: none, or a single line.
    enum TBorderStyle : uint8_t { bsNone, bsSingle };
    Q_ENUM(TBorderStyle)

    explicit TKxLab(QWidget* parent = nullptr);
    ~TKxLab() override;

    /// Brackets a host's set-up: while at least one BeginLoad is open, repaint requests are
    /// ignored; the last EndLoad runs Loaded, which paints once. Nesting is allowed.
    void BeginLoad();
    void EndLoad();
    /// True between BeginLoad and the matching EndLoad.
    bool IsLoading() const { return FLoadDepth > 0; }
    /// BeginLoad for the guard's lifetime.
    class TLoadGuard {
    public:
        explicit TLoadGuard(TKxLab& Lab)
            : FLab(Lab) {
            FLab.BeginLoad();
        }
        ~TLoadGuard() { FLab.EndLoad(); }
        TLoadGuard(const TLoadGuard&) = delete;
        TLoadGuard& operator=(const TLoadGuard&) = delete;

    private:
        TKxLab& FLab;
    };

    /// The label this control shows and edits.
    TKxLabel* Label() const { return FLabel.get(); }

    // Properties.
    TKxUnits GetUnits() const { return FLabel->GetUnits(); }
    /// Always re-adjusts and repaints, even when the unit does not change.
    void SetUnits(TKxUnits Value);
    TKxZoom GetZoom() const { return FZoom; }
    void SetZoom(TKxZoom Value);
    /// Colour of the surface around the label.
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetShowMargins() const { return FLabel->GetShowMargins(); }
    void SetShowMargins(bool Value);
    TKxSnap GetSnap() const { return FLabel->GetSnap(); }
    void SetSnap(TKxSnap Value);
    bool GetDaBa() const { return FLabel->GetDaBa(); }
    void SetDaBa(bool Value);
    bool GetAllowEdit() const { return FAllowEdit; }
    void SetAllowEdit(bool Value);
    /// Colour of selection marks and rubber bands.
    TColor GetSelColor() const { return FLabel->GetSelColor(); }
    void SetSelColor(TColor Value);
    TKxDrawTool GetDrawTool() const { return FDrawTool; }
    /// A different tool also ends any drag state.
    void SetDrawTool(TKxDrawTool Value);

    // The settings objects stay owned by the control; the setters copy Value into them (Assign),
    // and null does nothing.
    TKxMeasure* GetMeasure() const { return FLabel->GetMeasure(); }
    void SetMeasure(TKxMeasure* Value);
    TKxFrame* GetFrame() const { return FLabel->GetFrame(); }
    void SetFrame(TKxFrame* Value);
    TKxGrid* GetGrid() const { return FLabel->GetGrid(); }
    void SetGrid(TKxGrid* Value);
    TKxBackSurf* GetBackSurf() const { return FLabel->GetBackSurf(); }
    void SetBackSurf(TKxBackSurf* Value);
    TKxRulers* GetRulers() const { return FLabel->GetRulers(); }
    void SetRulers(TKxRulers* Value);
    TKxPrintInfo* GetPrintInfo() const { return FLabel->GetPrintInfo(); }
    void SetPrintInfo(TKxPrintInfo* Value);
    TTable* GetTable() { return FLabel->GetTable(); }
    /// Copies the binding of Value (alias, table, filter) into the owned table; null does nothing.
    void SetTable(const TTable* Value);

    // The element list, in stacking order: index 0 is the front-most element.
    /// Appends E behind every other element and takes ownership. Does not repaint.
    void AddElement(std::unique_ptr<TKxElement> E);
    /// Removes and frees E; false when E is not in the list. Removing the selected element drops
    /// the selection. Does not repaint.
    bool RemoveElement(TKxElement* E);
    /// Selects the first element from index 0 that contains P (client pixels); false and the
    /// selection unchanged when none does.
    bool FindElement(const TPoint& P);
    /// Selects the first element from index 0 whose ID equals ID exactly; false and the selection
    /// unchanged when none does.
    bool ElementByID(const QString& ID);
    /// Frees every element, drops the selection and the marks, repaints.
    void Clear();
    /// The selected element, or null.
    TKxElement* GetSelected() const { return FSelected; }
    /// Selects E (an element of this label) and shows its marks; null drops the selection and its
    /// marks. An element of another label changes nothing. Fires no OnSelect.
    void SelectElement(TKxElement* E);

    // A selection of several elements: Shift or Ctrl and a click add or remove one, a band dragged
    // from empty surface selects what it wholly encloses. The current element (GetSelected) is the
    // one clicked last and always among them; OnSelect and the Select signal report it as before.
    /// The selected elements in stacking order, front-most first.
    std::vector<TKxElement*> SelectedElements() const;
    bool IsSelected(const TKxElement* E) const;
    /// Adds E to the selection as its current element or, when it is selected already, takes it out:
    /// the one selected last before it becomes current. An element of another label changes nothing.
    void ToggleSelected(TKxElement* E);
    /// Selects the elements of this label among Elements; Current becomes the current element when it
    /// is one of them, else the last of them. Fires no OnSelect.
    void SelectElements(const std::vector<TKxElement*>& Elements, TKxElement* Current = nullptr);
    /// Selects every element, the current one staying current (else the front-most).
    void SelectAll();
    /// An element's box in label units from the label's top-left corner: between its two points for
    /// lines, rectangles, pictures and paragraphs, as last drawn on the surface for the others.
    TRect ElementExtent(const TKxElement& E) const;
    /// Moves every selected element that is not locked by Delta (label units) as one undo step, cut
    /// back as a group so that none of them leaves the label. False when nothing moved.
    bool MoveSelection(const TPoint& Delta);
    /// True when the selection holds enough unlocked elements for Kind (KxArrangeMinimum): besides
    /// the current element for an alignment or a size, which only the sizable kinds (rectangles,
    /// pictures, paragraphs) take.
    bool CanArrange(TKxArrange Kind) const;
    /// Arranges the selection's unlocked elements as one undo step (KxArrangeBoxes): alignments and
    /// sizes follow the current element, which stays where it is; CentreOnLabel centres them as a group.
    void Arrange(TKxArrange Kind);
    /// Locks or unlocks every selected element as one undo step.
    void SetSelectionLocked(bool Value);
    /// Locks or unlocks the elements of this label among Elements as one undo step.
    void SetLocked(const std::vector<TKxElement*>& Elements, bool Value);

    // Mapping between label units and client pixels.
    int32_t WindowX(int32_t x) const;
    int32_t WindowY(int32_t y) const;
    int32_t CoordX(int32_t px) const;
    int32_t CoordY(int32_t py) const;
    /// A client pixel as a position in the current unit, proportional to the label size.
    float Worldx(int32_t px) const;
    float Worldy(int32_t py) const;
    /// The mapping of label units to client pixels as it stands: what elements keep their Bounds in.
    TKxScreenMap ScreenMap() const;
    /// The label's edges in client pixels.
    int32_t GetMinLeft() const;
    int32_t GetMinTop() const;
    int32_t GetMaxRight() const;
    int32_t GetMaxBottom() const;
    /// The alignment guides in client pixels.
    int32_t GetXLeft() const;
    int32_t GetYTop() const;
    /// Scale, origin, label size in pixels and scroll state as they stand.
    TKxViewState View() const;

    // Scrolling.
    /// Recomputes scale, label size in pixels and scroll ranges from zoom, label size and control
    /// size; shows a bar only when its range exceeds the control; scrolls back to the origin.
    virtual void AdjustScroll();
    /// Sets the horizontal range and position (position clamped into the range). Min > Max throws
    /// EInvalidOperation ("Scrollbar property out of range") and changes nothing.
    void SetHParams(int32_t Position, int32_t Min, int32_t Max);
    void SetVParams(int32_t Position, int32_t Min, int32_t Max);
    void SetHPosition(int32_t Value);
    void SetVPosition(int32_t Value);
    /// A scroll request as the scroll bars deliver it; ignored while another is being handled.
    void HScrollRequest(TKxScrollCode Code, int32_t ThumbPos = 0);
    void VScrollRequest(TKxScrollCode Code, int32_t ThumbPos = 0);

    // Repainting.
    /// Recomposes the surface with the named rulers, shows it and places the guide markers.
    /// Ignored while loading.
    virtual void FlipLabScreen(TKxDrawRuler Which);
    /// Recomposes the surface without rulers; shows it when Repaint. Ignored while loading.
    virtual void PaintLabScreen(bool Repaint);
    /// Recomposes the whole off-screen surface: the control's colour, the label area, then the
    /// ruler strips that Which names (the corner always; all pasted again).
    virtual void DrawAll(TKxDrawRuler Which);
    /// Shows the composed surface with the selection marks as they stand; rubber bands and ruler
    /// marks drawn on the window before are gone.
    void Paint();
    /// Recomputes the hit areas of the two guide markers.
    void AdjustAligns();
    /// Empties the selection outline and handles, unless loading.
    void ClearSelection();

    // Editing.
    /// Recomposes the surface and shows it with the marks of the selected element: its line
    /// handles, its outline, or its outline and resize handles, the drag state following its kind.
    /// With nothing selected it only recomposes and shows, and the drag state stays as it is.
    void AdjustHandle();
    /// P (client pixels) moved to the nearest grid point when Snap is snGrid, else P. Grid points
    /// count from the label's top-left corner.
    TPoint GridAdjust(const TPoint& P) const;
    /// Puts the records of the selected elements into the process-wide clipboard.
    void CopyElement();
    /// CopyElement, then DeleteElement.
    void CutElement();
    /// Adds copies of the clipboard's elements, 2 mm (millimetre units) or 0.1 inch (inch units,
    /// rounded to label units) down and right of the copied ones, as one undo step; they become the
    /// selection. Nothing before any copy.
    void PasteElement();
    /// True when the clipboard holds an element for PasteElement.
    bool CanPaste() const;
    /// Removes and frees the selected elements as one undo step; nothing is selected afterwards.
    void DeleteElement();
    /// Toggles the selected element's Transparent flag; repaints even without a selection.
    void Transparent();
    /// Moves the selected element so that its first point lies on the left (top) guide.
    void AlignLeft();
    void AlignTop();
    /// Exchanges the selected element with the front-most (back-most) one; the others keep their
    /// places.
    void Front();
    void Back();
    /// The editor's state of this control. Every control has its own: a drag in one designer never
    /// hit-tests marks of another.
    const TKxMarks& GetMarks() const { return FMarks; }
    /// What the window shows over the surface (marks, rubber bands, ruler marks).
    const TKxOverlay& GetOverlay() const { return FOverlay; }
    /// True while the control sits on a form being edited in a visual form designer: background,
    /// frame and grid show, elements do not.
    bool GetDesigning() const { return FDesigning; }
    void SetDesigning(bool Value);
    /// The off-screen surface, as last composed.
    const TBitmap& GetLabScreen() const { return *FLabScreen; }

    // Printer.
    /// Selects paper Code (a platform paper code) on the current printer.
    void SetPaperSize(int16_t Code);
    /// Gives the printer the paper and orientation of PrintInfo.
    void AdjustPrint();

    // Print and preview runs. A run starts at cell (FirstRow, FirstCol) of the first sheet and draws
    // Labs labels without data, or records FirstLab to LastLab Repetition times each with data
    // (ValidData). Runs never change the label; the table is closed at the end of a run with data.
    /// Prints a run as one job on the printer (or PDF file) the host chose for Printer(), else on
    /// the system's default printer; with neither it raises EKxError and prints nothing. A run
    /// without labels sends no job. An error of the table or the printer during the run ends the
    /// job (the sheets drawn so far are sent), closes the table and propagates.
    void Print();
    /// Starts a preview of the run and shows it in the preview window. Its sheets are drawn when they
    /// are asked for, so a run of any length opens at once; the first is drawn before the window opens,
    /// and what stops the run there (its table, a sheet of more than KxMaxPreviewLabels labels) raises
    /// EKxError, keeping no pages. The pages show the label as it was when the preview started, and
    /// last until the next preview.
    void Preview();
    /// Frees every preview page.
    void ClearPages();
    /// The preview's sheets, known from the run plan without drawing them.
    int64_t GetTotalPages() const;
    /// Preview page N (from 1), drawn now unless among the last few asked for; null when there is none.
    /// It stays valid while among the last TKxPreviewPages::Kept asked for. Raises EKxError when the
    /// sheet cannot be drawn (its table failed, its records are gone).
    TMetafile* GetPages(int64_t N) const;
    /// Page N as GetPages draws it, shared: it stays with whoever holds it, even past ClearPages.
    std::shared_ptr<TMetafile> SharedPage(int64_t N) const;
    /// Called after every label a run draws.
    TKxPrintProgress OnPrintProgress;

    // Data binding.
    /// Opens the bound table when the label uses data; true when records may be read. False
    /// without DaBa or without an alias and a table name; when the table cannot be opened the
    /// database layer's message is shown through ShowMessage and the answer is false. The table
    /// stays open after true. Errors other than the database layer's propagate.
    bool ValidData();
    /// True exactly when the last ValidData opened the table.
    bool GetDataValid() const { return FLabel->GetDataValid(); }
    /// The catalogue of aliases and tables the label dialog offers; never null.
    TKxAlias* GetAlias() const { return FLabel->GetAlias(); }
    /// Copies Value into the owned catalogue (TKxAlias::Assign); null does nothing.
    void SetAlias(const TKxAlias* Value);
    /// The spelling uic calls for the designed border (the others are TKxLabFlat's).
    void setBorderStyle(TBorderStyle Value) { SetBorderStyle(Value); }

    // Dialogs, opened through the application's dialog host (KxDialogHost).
    /// The label properties dialog at Page.
    void ShowProp(int Page);
    /// The property dialog of the selected element, as one undo step; nothing without a selection.
    /// IsNew: the element was just drawn with its tool.
    void ShowElementProp(bool IsNew = false);
    /// Shows the recorded preview pages in the modal preview window.
    void ShowPreviewWindow();
    /// Asks for a label stock in the modal stock chooser, the label's own stock selected; the stock
    /// chosen, or nothing when the user cancels. The label does not change (KxApplyStock lays it out).
    std::optional<TKxStock> ChooseStock();

    // The label file: little-endian, version 14 written, any other version read as the previous
    // format. Reading is all or nothing: a short or corrupt file raises and changes nothing.
    /// Writes every stored setting, then every element in list order. Errors raise EStreamError.
    void SaveToStream(QIODevice& Stream) const;
    /// Reads a label from a random-access device and takes it over: the picture file, table
    /// binding, label and paper names through their setters, every other setting straight into
    /// its field, the elements appended behind those present. Raises EStreamError naming the byte
    /// offset when the data is short or corrupt; nothing changes then.
    void LoadFromStream(QIODevice& Stream);
    /// Writes the label to a temporary file beside FileName, flushes it and renames it over
    /// FileName, so a failed save leaves the previous file whole. Raises EStreamError.
    void SaveToFile(const QString& FileName) const;
    /// LoadFromStream from a file opened read-only; raises EStreamError.
    void LoadFromFile(const QString& FileName);
    /// SaveToFile.
    void SaveLab(const QString& FileName) const;
    /// Replaces the label with the file's and redraws, showing the busy cursor meanwhile. A file
    /// that cannot be read raises EKxError "No se puede leer el archivo elegido" (the cause nested)
    /// and leaves the current label exactly as it was.
    void LoadLab(const QString& FileName);

    TKxRightClickEvent OnRightMouse;
    TKxSelectEvent OnSelect;
    TKxMouseMoveEvent OnMouseMove;

signals:
    /// A right press while editing is allowed; select tells whether it hit the selected element.
    void RightMouse(QObject* Sender, bool select, int X, int Y);
    /// A left press selected an element; it is already GetSelected().
    void Select(QObject* Sender);
    void MouseMove(QObject* Sender, Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y);
    /// The set of selected elements or the current one changed by the mouse or a command.
    void SelectionChanged();

protected:
    /// Runs when a host's set-up ends: composes the surface once and shows it.
    virtual void Loaded();
    /// Scroll notifications, before the new position is stored.
    virtual void HScroll();
    virtual void VScroll();
    void DoRightMouse(bool select, int X, int Y);
    void DoSelect();
    void DoMouseMove(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Shift, int X, int Y);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    /// Left press: guide markers, marks of the selection, hit testing, or the drawing tool; right
    /// press: OnRightMouse. Ignored while AllowEdit is false; never passed on.
    void mousePressEvent(QMouseEvent* event) override;
    /// Ruler marks, cursor and the drag in progress (outlines only, the surface is not
    /// recomposed); then OnMouseMove, except while a guide is dragged or a snapped drag stands.
    void mouseMoveEvent(QMouseEvent* event) override;
    /// Ends the drag or rubber band and writes the result into the label. Ignored while AllowEdit
    /// is false; never passed on.
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The layers of the composed surface and the figures drawn on the window over it.
    /// Composes the label area: background in pixels, then under a mapping of one logical unit per
    /// tenth of a millimetre the guides and frame, the elements (not while designing) and the grid.
    void DrawLabScreen();
    /// The label background on the canvas of DrawType. X, Y: the label's corner in the canvas's
    /// coordinates (label units) for paper; R: the label's pixel rectangle, used on screen only.
    /// Paper gets it only when BackSurf.Print is set.
    void DrawBackSurf(int32_t X, int32_t Y, TKxDrawType DrawType, const TRect& R);
    /// The alignment guides (screen only, when shown) and the frame, with the label's corner at
    /// X, Y in label units, under the caller's mapping.
    void DrawFrame(int32_t X, int32_t Y, TKxDrawType DrawType);
    /// The grid dots on the surface, label corner at X, Y in label units under the screen mapping.
    void DrawGrid(int32_t X, int32_t Y);
    /// Every element from the back (last index) to the front (index 0) on the surface, the label's
    /// corner at Origin in label units under the surface's mapping.
    void DrawElements(const TPoint& Origin);
    /// Redraws the strips that Which names and the corner, then pastes all three into the
    /// surface. Nothing at all when the rulers are hidden.
    void DrawRulers(TKxDrawRuler Which);
    /// Copies the three cached ruler bitmaps into the surface.
    void PasteRulers();
    /// Refreshes the ruler strips on the window without recomposing: removes the mouse marks.
    void PasteRulers1();
    /// Rubber band of the drawing tool from P1 to P2 (client pixels), not-xor: a second call with
    /// the same points removes it.
    void DrawShape(const TPoint& P1, const TPoint& P2);
    /// Rubber band of a move or resize, not-xor: the rectangle P1, P2 (with the resize handles,
    /// recomputed, while sizing) or the line P1, P2.
    void DrawDrag(const TPoint& P1, const TPoint& P2, bool IsRect);
    /// Mouse-position marks in both rulers, when P lies on the label.
    void DrawMarks(const TPoint& P);
    /// The guide being dragged, marker and line, not-xor.
    void DrawAligns(const TPoint& P);
    /// The cached ruler strips and their corner, as last drawn.
    const TBitmap& GetTopRuler() const { return *FTopRuler; }
    const TBitmap& GetLeftRuler() const { return *FLeftRuler; }
    const TBitmap& GetRulerCorner() const { return *FRulerCorner; }
    /// True when a press at P (client pixels) picks E: P lies in its outline. A host that picks
    /// otherwise overrides it; clicks, Alt+clicks and the group drag follow.
    virtual bool Picks(const TKxElement& E, const TPoint& P) const;
    /// Gives an element the user draws the host's own defaults before it joins the label and its
    /// dialog opens (a text in the host's language); the library's defaults stay here.
    virtual void DrawnDefaults(TKxElement& E) const;
    /// The first element from index 0 that a press at P picks, or null.
    TKxElement* ElementAt(const TPoint& P) const;
    /// What Alt and a press at P select: among the elements picked there, front to back, the one
    /// behind the current element, the front-most after the last; null when none is there.
    TKxElement* NextElementAt(const TPoint& P) const;
    /// What elements draw with on the surface: its canvas, its mapping, field names when bound.
    TKxDrawContext SurfaceContext();

    // What the view does when its label tells it of a change.
    void SettingsChanged(const TKxSettingsChange& Change);
    void ElementRemoving(const TKxElement* E);
    /// An element changed outside the view's own commands: the surface is recomposed when shown next.
    void ElementsChanged();
    void LabelReplaced(bool Restored);

    TKxMarks FMarks;

private:
    void DrawRulerStrip(bool Top);
    void DrawRulerCorner();
    void ToggleFigure(TKxOverlay::TKind Kind, std::array<TPoint, 3> Points, TColor Color);
    void LeftPress(const TPoint& P, Qt::KeyboardModifiers Mods);
    void SelectionPress(const TPoint& P, Qt::KeyboardModifiers Mods);
    /// Grabs the mark of the single selection under P; false when there is none.
    bool GrabMark(const TPoint& P);
    void StartBand(const TPoint& P, bool Adds);
    void FinishBand(const TPoint& P);
    void StartGroupDrag(const TPoint& P);
    void FinishGroupDrag();
    /// The selection's marks: the current element's, and the others' outlines when several.
    void PlaceMarks();
    /// E's box on the surface in client pixels: between its ends for a line, else Bounds.
    TRect ElementBox(const TKxElement& E) const;
    /// The selected elements a move or an arrangement may change.
    std::vector<TKxElement*> Movable() const;
    /// Makes Set the selection with Current its current element; says so when that changes anything.
    void SetSelection(std::vector<TKxElement*> Set, TKxElement* Current);
    /// E alone selected, or nothing.
    void SetCurrent(TKxElement* E) {
        SetSelection(E ? std::vector<TKxElement*>{E} : std::vector<TKxElement*>{}, E);
    }
    void RightPress(const TPoint& P);
    /// The editing part of a mouse move; false when the move is not to be passed on.
    bool EditMove(const TPoint& P);
    void HoverCursor(const TPoint& P);
    void FinishDrag(const TPoint& P);
    void FinishShape(const TPoint& P);
    /// A drag of the mouse is one undo step, from the press to the release.
    void BeginDragStep(TKxStep Step);
    void EndDragStep();
    void AlignSelected(TKxEleAlign Kind);
    /// A new element of Kind, appended and selected; null when the kind has no class.
    TKxElement* NewElement(TKxEle Kind);
    /// The label's pixel rectangle.
    TRect LabelRect() const;

    /// Hands a run's progress to OnPrintProgress.
    TKxRunProgress RunProgress();

    void CreateWnd();
    void SetParams(TKxScrollAxis& Axis, QScrollBar* Bar, int32_t Position, int32_t Min, int32_t Max);
    void ScrollRequest(TKxScrollAxis& Axis, QScrollBar* Bar, TKxScrollCode Code, int32_t ThumbPos,
                       bool Horizontal);
    void ConnectBar(QScrollBar* Bar, bool Horizontal);
    void LayoutBars();
    void PushBar(QScrollBar* Bar, const TKxScrollAxis& Axis, int32_t Page);

    std::unique_ptr<TKxLabel> FLabel;
    TKxZoom FZoom = zm100;
    TKxDrawTool FDrawTool = dwSelection;
    bool FScrolling = false;
    std::unique_ptr<TBitmap> FLabScreen;
    std::unique_ptr<TBitmap> FTopRuler;
    std::unique_ptr<TBitmap> FLeftRuler;
    std::unique_ptr<TBitmap> FRulerCorner;
    int32_t FLabWidth = 0;
    int32_t FLabHeight = 0;
    int32_t FHRangeEnd = 0;
    int32_t FVRangeEnd = 0;
    int32_t FScale = 4;
    float FFactor = 0.25f;
    int32_t FOrigin = 28;
    TKxScrollAxis FH;
    TKxScrollAxis FV;
    TColor FColor = clGray;
    TBorderStyle FBorderStyle = bsSingle;
    bool FAllowEdit = true;
    TKxElement* FSelected = nullptr;
    /// Every selected element in the order selected; FSelected is among them.
    std::vector<TKxElement*> FSelection;
    /// The last preview's sheets.
    std::unique_ptr<TKxPreviewPages> FPreview;

    QScrollBar* FHBar = nullptr;
    QScrollBar* FVBar = nullptr;
    int FLoadDepth = 0;
    bool FWindowCreated = false;
    bool FDesigning = false;
    /// The label changed since the surface was last composed; the next paint recomposes it.
    bool FSurfaceStale = false;
    bool FDragStep = false;
    /// The places of the current and the selected elements while the label is being replaced.
    int FSelectedIndex = -1;
    std::vector<int> FSelectionIndices;
    TKxOverlay FOverlay;
};
