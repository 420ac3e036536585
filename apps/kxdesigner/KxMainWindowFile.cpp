#include <algorithm>
#include <climits>
#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProgressDialog>
#include <QSettings>
#include <QStatusBar>
#include <QUndoStack>

#include "KxAliasesDialog.h"
#include "KxCalibrationDialog.h"
#include "KxDesignSurface.h"
#include "KxErrorText.h"
#include "KxExport.h"
#include "KxMainWindow.h"
#include "KxRecentFiles.h"
#include "label/KxApplyStock.h"
#include "label/KxLabel.h"
#include "print/Printer.h"

namespace {

QString StartFolder(const QString& FileName) {
    return FileName.isEmpty() ? QString() : QFileInfo(FileName).absolutePath();
}

} // namespace

void TKxMainWindow::Started(const QString& FileName) {
    FFileName = FileName;
    FLab->Label()->ResetHistory();
    if (!FileName.isEmpty()) {
        QSettings settings;
        TKxRecentFiles::Add(settings, FileName);
    }
    SyncControls();
}

bool TKxMainWindow::MaybeSave() {
    if (!IsModified()) return true;
    const QString name = FFileName.isEmpty() ? tr("Untitled") : QFileInfo(FFileName).fileName();
    QMessageBox box(QMessageBox::Warning, tr("KxLab Designer"),
                    tr("The label \"%1\" has changes that are not saved. Save them?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return Save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

void TKxMainWindow::NewLabel() {
    if (!MaybeSave()) return;
    if (KxShowErrors([this] { FLab->Label()->RestoreRecord(TKxDesignSurface::NewLabelRecord()); }))
        Started({});
}

void TKxMainWindow::NewFromStock() {
    const std::optional<TKxStock> stock = FLab->ChooseStock();
    if (!stock || !MaybeSave()) return;
    const bool made = KxShowErrors([&] {
        FLab->Label()->RestoreRecord(TKxDesignSurface::NewLabelRecord());
        KxApplyStock(*FLab->Label(), *stock);
        FLab->AdjustPrint();
    });
    if (made) Started({});
}

void TKxMainWindow::OpenDialog() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Label"), StartFolder(FFileName),
                                                      tr("Labels (*.kxl);;All files (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

bool TKxMainWindow::OpenFile(const QString& Path) {
    if (!MaybeSave()) return false;
    if (!KxShowErrors([&] { FLab->LoadLab(Path); })) {
        if (!QFileInfo::exists(Path)) {
            QSettings settings;
            TKxRecentFiles::Remove(settings, Path);
        }
        return false;
    }
    Started(QFileInfo(Path).absoluteFilePath());
    return true;
}

bool TKxMainWindow::Save() {
    return FFileName.isEmpty() ? SaveAsDialog() : SaveFile(FFileName);
}

bool TKxMainWindow::SaveAsDialog() {
    QString path = QFileDialog::getSaveFileName(this, tr("Save Label As"), FFileName, tr("Labels (*.kxl)"));
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".kxl");
    return SaveFile(path);
}

bool TKxMainWindow::SaveFile(const QString& Path) {
    if (!KxShowErrors([&] { FLab->SaveLab(Path); })) return false;
    FFileName = QFileInfo(Path).absoluteFilePath();
    History().setClean();
    QSettings settings;
    TKxRecentFiles::Add(settings, FFileName);
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(Path).fileName()), 5000);
    SyncControls();
    return true;
}

void TKxMainWindow::ExportDialog() {
    const QStringList filters{tr("PDF document (*.pdf)"), tr("PNG pictures, one per sheet (*.png)"),
                              tr("SVG pictures, one per sheet (*.svg)"),
                              tr("Enhanced metafiles, one per sheet (*.emf)")};
    const QStringList suffixes{"pdf", "png", "svg", "emf"};
    QString filter = filters.first();
    QString base = FFileName.isEmpty() ? QString()
                                       : QFileInfo(FFileName).absolutePath() + QLatin1Char('/') +
                                             QFileInfo(FFileName).completeBaseName() + ".pdf";
    QString path = QFileDialog::getSaveFileName(this, tr("Export"), base, filters.join(";;"), &filter);
    if (path.isEmpty()) return;
    if (!KxExportKindOf(path))
        path += QLatin1Char('.') + suffixes.value(std::max<qsizetype>(0, filters.indexOf(filter)));
    ExportFile(path);
}

bool TKxMainWindow::ExportFile(const QString& Path) {
    const TKxRunSettings settings = TKxRunSettings::FromPrintInfo(*FLab->GetPrintInfo());
    const TKxRunPlan plan =
        TKxRunPlan::Of(settings, *FLab->Label()->GetMeasure(), settings.UseData && FLab->Label()->GetDaBa());
    const int total = static_cast<int>(std::min<int64_t>(plan.Labels, INT_MAX));
    QProgressDialog progress(tr("Exporting %1...").arg(QFileInfo(Path).fileName()), tr("Cancel"), 0, total,
                             this);
    progress.setObjectName(QStringLiteral("exportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setValue(0);
    QStringList written;
    try {
        written = KxExportRun(*FLab->Label(), settings, Path, [&](int64_t Labels, int64_t) {
            progress.setValue(static_cast<int>(std::min<int64_t>(Labels, total)));
            return !progress.wasCanceled();
        });
    } catch (const EKxRunCancelled&) {
        statusBar()->showMessage(tr("The export was cancelled; no file was written."), 5000);
        return false;
    } catch (const std::exception& e) {
        progress.close();
        QMessageBox::warning(this, tr("Export"), KxErrorText(e));
        return false;
    }
    statusBar()->showMessage(tr("Exported %n file(s)", nullptr, static_cast<int>(written.size())), 5000);
    return true;
}

void TKxMainWindow::PrintDialog() {
    QPrintDialog dialog(&Printer().Device(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    KxShowErrors([this] { FLab->Print(); });
}

void TKxMainWindow::Preview() {
    KxShowErrors([this] { FLab->Preview(); });
}

void TKxMainWindow::AliasesDialog() {
    TKxAliasesDialog dialog(this);
    dialog.exec();
}

void TKxMainWindow::CalibrationDialog() {
    TKxCalibrationDialog dialog(this);
    dialog.exec();
}

void TKxMainWindow::FillRecentMenu() {
    FRecentMenu->clear();
    const QStringList files = TKxRecentFiles::Files(QSettings());
    int number = 0;
    for (const QString& file : files) {
        QAction* open =
            FRecentMenu->addAction(QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(file).fileName()));
        open->setToolTip(file);
        connect(open, &QAction::triggered, this, [this, file] { OpenFile(file); });
    }
    if (files.isEmpty()) FRecentMenu->addAction(tr("(none)"))->setEnabled(false);
}

void TKxMainWindow::closeEvent(QCloseEvent* event) {
    if (!MaybeSave()) {
        event->ignore();
        return;
    }
    QSettings settings;
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    event->accept();
}
