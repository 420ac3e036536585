#pragma once

#include <memory>
#include <QImage>
#include <QWidget>

class TMetafile;

/// Shows one recorded page stretched over the whole widget, on white. The page is replayed as vectors
/// at the widget's size, so it is sharp at any zoom; below one pixel per tenth of a millimetre it is
/// replayed finer and shrunk smoothly, so that rules a printer shows do not drop out between screen
/// pixels. Only the picture at the widget's size is kept. The page is shared: it stays while it is
/// shown, whatever its maker does with its own.
class TKxPreviewPaper : public QWidget {
    Q_OBJECT
public:
    explicit TKxPreviewPaper(QWidget* parent = nullptr);

    /// The page shown, or null to show nothing.
    void SetPage(std::shared_ptr<const TMetafile> Page);
    const TMetafile* GetPage() const { return FPage.get(); }
    /// A page with a size is shown.
    bool HasPage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /// The page at the widget's size, replayed finer when the widget is coarser than a tenth of a millimetre.
    QImage Picture() const;

    std::shared_ptr<const TMetafile> FPage;
    /// The picture last shown, and the page and size it shows.
    QImage FPicture;
    const TMetafile* FPicturePage = nullptr;
};
