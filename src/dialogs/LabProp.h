#pragma once

#include <functional>
#include <QImage>
#include <QString>
#include <utility>

#include "dialogs/KxDialog.h"
#include "dialogs/KxForm.h"
#include "types/Kxtypes.h"

class QCheckBox;
class QMenu;
class QPainter;
class QRadioButton;
class QSpinBox;
class TField;
class TKxBackSurf;
class TKxFrame;
class TKxGrid;
class TKxMeasure;
class TKxPrintInfo;
class TKxRecordModel;
class TKxSwatch;
class TSpinEditFloat;
class TTable;

namespace Ui {
class TPropLab;
}

/// The label properties dialog: the sheet (label size and shape, paper, rows and columns, margins and
/// separations, with a live picture of the sheet), the print run, the design aids and background, and
/// the database binding with its record grid and filter. Every change goes at once into the
/// designer's settings; there is no OK or Cancel, and closing runs the designer's ValidData.
///
/// The "DataBase" page's grid reads the bound table through a cursor of its own (DataSource1);
/// selecting a row, or a move of the navigator, moves the bound table to that record, which is the
/// record a filter condition is built from. Errors of the database layer are shown through the message
/// hook and the dialog stays usable; a filter that fails to apply is replaced by the last one that
/// worked on the table.
class TPropLab : public TKxForm<TKxDialog, Ui::TPropLab> {
    Q_OBJECT
public:
    /// The background picture dialog's filter.
    static const QString PictureFilter;
    /// The background-style list's item of a style ("None", "GradientH", "GradientV",
    /// "GradientCircle", "Image"), and the style of an item (biNone outside the list).
    static int BackStyleItem(TKxBackStyle Style);
    static TKxBackStyle ItemBackStyle(int Item);

    explicit TPropLab(QWidget* parent = nullptr);
    ~TPropLab() override;

    /// Copies the designer's settings into the controls and shows Page: 0 "Dimensions", 1 "Print",
    /// 2 "Back", 3 "DataBase", anything else "Dimensions". Binds and opens the table the lists show.
    void Ini(int Page);

    // "Dimensions".
    /// Lists the paper catalogue and selects the sheet's paper by name (none when no name matches).
    void FillPapers();
    /// The paper size boxes are enabled exactly for the "User" paper.
    void CheckPapers();
    /// Applies catalogue row Index: its size in the designer's unit, name and paper code; rows
    /// outside the catalogue are not applied.
    void CBoxPaperNameChange(int Index);
    /// The inner-radius box is enabled exactly for a circular label.
    void CheckLabelType();
    /// Sizes the picture to the oriented sheet's aspect; a sheet without a positive width and height
    /// gets no picture.
    void CheckDraw();
    /// Draws the sheet into the off-screen picture: the cells of a print run, the first label in
    /// aqua and, when the designer shows margins, the printer's printable area dotted.
    void DrawSheet();
    /// Draws the sheet and copies it to the paint box.
    void PaintBox1Paint(QPainter& Painter);
    /// A press at Pixel of the picture makes the cell under it the first label.
    void PaintBox1MouseDown(const QPoint& Pixel);
    /// The off-screen picture as last drawn.
    const QImage& Bitmap() const { return FBitmap; }
    /// Shows the first column and row in the "Print" page's boxes.
    void PageControl1Change();
    /// Asks for a label stock, the label's own selected, and lays the sheet out as the one chosen.
    void ChooseStock();
    /// Names the label's stock beside the sheet picture, and says when the sheet differs from it.
    void ShowStock();
    /// Ticks "Roll" when the sheet is a roll's: one label per page, the page the label plus its gaps.
    void ShowRoll();
    /// Runs Apply, which lays the sheet out (a stock, a roll), and shows the result in every box.
    void LayOut(const std::function<void()>& Apply);
    /// Lays the roll out again for the label's new size or gaps.
    void FollowRoll();

    // "Back".
    /// Selects the background-style list item of the current background style.
    void SetBackStyle();

    // "DataBase".
    /// The aliases the catalogue permits, in the session's order; the first selected.
    void FillAlias();
    /// Selects the bound table's alias, then runs CBoxAliasChange.
    void IniTable();
    /// Lists the alias's tables (its catalogue captions when it has table entries), selects the bound
    /// table's, then runs CBoxTablesChange.
    void CBoxAliasChange();
    /// Index of the catalogue entry named AliasName (letter case counts) with table entries; -1 when none.
    int HasTables(const QString& AliasName) const;
    /// Index of the table entry of catalogue entry AliasIndex named TableName; 0 when none.
    int FindTable(int AliasIndex, const QString& TableName) const;
    /// Binds the table to the chosen alias and table and opens it; a table that cannot be opened is
    /// reported and left closed, with an empty grid.
    void CBoxTablesChange();
    /// The designer's data switch follows the "DataBase" box.
    void CheckDataClick();
    /// With data, the number of labels becomes the record count; the print range becomes 1 to the
    /// number of labels; the boxes are enabled for the mode.
    void CheckDataInf();
    /// One condition on Field's value in the current record with the operator text Op, e.g.
    /// ([City] = 'O''Hara').
    QString Condition(const TField& Field, const QString& Op) const;
    /// Appends a condition on Field's value in the current record, with the operator text Op, and
    /// applies the filter.
    void AddFilter(TField& Field, const QString& Op);
    /// The context menu's state: "Execute" checked when filtered; "Execute" and "Delete" enabled
    /// when there is a filter.
    void PopupMenu1Popup();
    void ExecuteClick();
    void Delete1Click();
    /// The catalogue entry whose tables are listed, or -1 when the session's list is.
    int AliasIndex() const { return FAliasIndex; }
    /// The grid's and navigator's data source.
    TKxRecordModel* DataSource1() const { return FRecords; }
    QMenu* PopupMenu1() const { return FPopup; }

    // "Print": the quantity field.
    /// Lists "(none)" and the open table's fields, the label's quantity field selected (kept in the list
    /// when the table lacks it); disabled without an open table. Then shows the label count.
    void FillQuantityFields();
    /// Shows how many labels the run prints, as the run's plan counts them (reading the quantities), or
    /// why it cannot print.
    void ShowLabelCount();

    /// Closing: a picture path still being typed is taken, then the designer's ValidData runs.
    void done(int Result) override;

protected:
    /// Also renames the papers, whose names follow the language.
    void Retranslate() override;

private:
    TKxMeasure& Measure() const;
    TKxPrintInfo& PrintInfo() const;
    TKxBackSurf& BackSurf() const;
    TKxFrame& Frame() const;
    TKxGrid& Grid() const;
    TTable& Table() const;

    void BindDimensions();
    void BindPaper();
    void BindStock();
    void BindPrint();
    void BindBack();
    void BindBackImage();
    void BindGridAndFrame();
    void BindData();
    void BindQuantity();
    void ShowPage(int Page);
    /// A float box of a setting in the designer's unit; Picture repaints the picture after a change.
    void BindFloat(TSpinEditFloat* Box, std::function<float()> Get, std::function<void(float)> Set,
                   bool Picture = false);
    /// An integer box; Guard: ignored during Ini.
    void BindInt(QSpinBox* Box, std::function<int()> Get, std::function<void(int)> Set, bool Guard,
                 bool Picture = false);
    void BindCheck(QCheckBox* Box, std::function<bool()> Get, std::function<void(bool)> Set);
    void BindSwatch(TKxSwatch* Swatch, std::function<TColor()> Get, std::function<void(TColor)> Set);
    /// Two radio buttons for the values 0 and 1; only the button that becomes checked writes.
    void BindRadios(QRadioButton* Zero, QRadioButton* One, std::function<int()> Get,
                    std::function<void(int)> Set);
    void RepaintPicture();
    void ShowLabs();
    void CommitFileName();
    void OpenPicture();

    /// Runs Change, reporting its errors, then shows the table as it stands in the grid and counts.
    void DataStep(const std::function<void()>& Change);
    /// A filter change that, failing, is replaced by the last filter that worked on this table.
    void ApplyFilter(const std::function<void()>& Change);
    void RememberFilter();
    void OperatorClick(const QString& Op);
    void GridMenu(const QPoint& Pos);
    void ShowCurrentRow(int Row);

    QImage FBitmap;
    /// The loaders of the sheet's size, layout and paper, which a stock changes: [first, second).
    std::pair<size_t, size_t> FSheetLoaders{0, 0};
    int FAliasIndex = -1;
    TKxRecordModel* FRecords = nullptr;
    QMenu* FPopup = nullptr;
    /// The filter and its switch when the bound table last opened under them.
    QString FGoodFilter;
    bool FGoodFiltered = false;
};

/// The label properties dialog while it is shown.
extern TPropLab* PropLab;
