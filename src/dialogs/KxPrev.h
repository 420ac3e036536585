#pragma once

#include <QString>

#include "dialogs/KxDialog.h"
#include "dialogs/KxForm.h"

class QFileDialog;
class TKxImageList;
class TKxLab;
class TMetafile;

namespace Ui {
class TKxPrw;
}

/// The print preview window: shows the pages that the designer's last preview recorded, one sheet at
/// a time, fitted whole into the window, to its width or at a zoom; pages through them; prints the
/// run anew; saves the page shown. It only replays recorded pages: browsing and zooming never draw
/// the label or read its table. Keys: Home, Page Up, Page Down and End page; Ctrl+plus and
/// Ctrl+minus zoom.
class TKxPrw : public TKxForm<TKxDialog, Ui::TKxPrw> {
    Q_OBJECT
public:
    explicit TKxPrw(QWidget* parent = nullptr);
    ~TKxPrw() override;

    /// The window title and the close button's caption from the interface strings.
    void Ini() { FillLanguage(); }

    /// The page shown, from 1; -1 before the window shows a page.
    int GetPageNum() const { return FPageNum; }
    /// Zoom in percent of the page's natural size; 100 after fitting the whole page.
    int GetZoomValue() const { return FZoomValue; }
    /// The page shown, or null.
    const TMetafile* ShownPage() const;

    /// Pages: the first, the previous, the next, the last.
    void PageFirstClick() { ShowPage(1); }
    void PageAntClick() { ShowPage(FPageNum - 1); }
    void PageNextClick() { ShowPage(FPageNum + 1); }
    void PageLastClick();
    /// Enables the page buttons that lead somewhere and writes the counter ("2 - 5").
    void CheckButtons();
    /// Fits the whole sheet into the visible area, then sets the zoom value to 100 so that the next
    /// step starts from the natural size. Nothing without a page.
    void ShowAllClick();
    /// The zoom at which the sheet is as wide as the scroll box. Nothing without a page.
    void ShowWidthClick();
    void ZoomMinusClick();
    void ZoomPlusClick();
    /// Shows the sheet at Z percent (limited to 20..400) of its natural size, centred where it fits,
    /// else scrolled to its top-left corner. Nothing when Z is the zoom already, or without a page.
    void SetZoom(int Z);
    /// Places the sheet fitted whole into the scroll box.
    void AdjustRect();
    /// Prints the run anew from the designer's current settings on the current printer, as a job of
    /// its own; the recorded pages are neither printed nor changed. Errors are reported, and the
    /// window stays open.
    void PrintClick();
    /// Asks for a file and saves the page shown in it (SavePage).
    void SaveClick();
    /// Saves the page shown. The extension decides the format, in any letter case: ".emf" an
    /// enhanced metafile, ".bmp" (or ".png") a bitmap of the page's natural size, ".pdf" and ".svg"
    /// vector pages. A name without extension takes that of filter FilterIndex of the save dialog.
    /// An unknown extension, or a file that cannot be written, is reported and leaves no file.
    void SavePage(const QString& FileName, int FilterIndex = 0);
    void BuCloseClick() { close(); }

    /// The save dialog (SaveImage).
    QFileDialog* const SaveImage;
    /// The tool bar's glyphs in their three looks.
    TKxImageList* const ImageNormal;
    TKxImageList* const ImageHot;
    TKxImageList* const ImageDis;

protected:
    /// The designed texts, and the save dialog's filters in the current language.
    void Retranslate() override;
    /// The first page is shown and fitted.
    void showEvent(QShowEvent* event) override;
    /// A new size of the scroll box refits the sheet; its scroll bars coming and going do not.
    bool eventFilter(QObject* Watched, QEvent* event) override;

private:
    void ShowPage(int N);
    /// Names without extension take that of save filter Index.
    void FilterChosen(int Index);
    /// The page's natural size in pixels; false without a page.
    bool NaturalSize(int& PW, int& PH) const;
    /// Places the sheet panel and sizes the scrolled area to hold it.
    void PlacePaper(const QRect& R);
    void SetUpLook();
    void SetUpActions();
    /// Widens the page counter to its text, moving the tool bar's later buttons along.
    void FitCounter();

    int FPageNum = -1;
    int FZoomValue = 100;
    /// Pixels the page counter has grown beyond its designed width.
    int FCounterExtra = 0;
};
