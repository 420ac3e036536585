#pragma once

#include <memory>
#include <QWidget>

class TMetafile;

/// Shows one recorded page stretched over the whole widget. The page is replayed as vectors at the
/// widget's size on every paint, so it is sharp at any zoom; no bitmap of it is kept. Where the page
/// draws nothing, the parent shows through. The page is shared: it stays while it is shown, whatever
/// its maker does with its own.
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
    std::shared_ptr<const TMetafile> FPage;
};
