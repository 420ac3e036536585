#pragma once

#include <functional>
#include <QDialog>
#include <type_traits>
#include <vector>

#include "base/Color.h"

class QColorDialog;
class TKxLab;
class TKxSwatch;

/// What every property dialog of the designer shares: the designer it edits, the guard that keeps Ini
/// from writing back, the loaders that copy settings into the controls, the colour choice of the
/// swatches, the unit's spin steps and the captions. No error leaves a change handler: it is shown
/// through the message hook and the dialog stays usable.
class TKxDialog : public QDialog {
    Q_OBJECT
public:
    explicit TKxDialog(QWidget* parent = nullptr);
    ~TKxDialog() override;

    void SetLab(TKxLab* Lab) { FLab = Lab; }
    TKxLab* GetLab() const { return FLab; }
    /// The window title and the captions designed with an interface string.
    void FillLanguage();
    /// True while Ini copies the settings into the controls.
    bool Initialising() const { return FIni; }
    /// Runs Action with every error reported through the message hook.
    static void Guarded(const std::function<void()>& Action);
    /// Ends the showing asking for what it changed to be put back (Escape, a Cancel button); closing
    /// the window any other way keeps the changes.
    void Cancel();
    /// The last showing ended with Cancel.
    bool Cancelled() const { return FCancelled; }

    /// The colour choice shared by the swatches.
    QColorDialog* const ColorDialog1;

protected:
    /// Sets the Ini guard for its lifetime.
    class TIniGuard {
    public:
        explicit TIniGuard(TKxDialog& D);
        ~TIniGuard();
        TIniGuard(const TIniGuard&) = delete;
        TIniGuard& operator=(const TIniGuard&) = delete;

    private:
        TKxDialog& FDialog;
        bool FWas;
    };

    virtual void Retranslate() = 0;
    /// After every change a handler made (the element dialogs repaint the designer).
    virtual void Changed() {}
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// Escape cancels instead of closing.
    void keyPressEvent(QKeyEvent* event) override;

    void AddLoader(std::function<void()> Load) { FLoaders.push_back(std::move(Load)); }
    /// Runs the loaders in the order they were added.
    void RunLoaders();
    /// Loaders added so far; RunLoaders(From, To) runs those added between two such counts.
    size_t LoaderCount() const { return FLoaders.size(); }
    void RunLoaders(size_t From, size_t To);
    /// Connects Signal to Write, run only outside Ini, with errors reported and Changed after it.
    template <class TSender, class TSignal, class TWrite>
    void OnChange(TSender* Sender, TSignal Signal, TWrite Write) {
        Connect(Sender, Signal, Write, [this](const std::function<void()>& A) { Handle(A); });
    }
    /// Connects Signal to Write, run during Ini too (it then writes back what was just shown), with
    /// errors reported.
    template <class TSender, class TSignal, class TWrite>
    void OnWrite(TSender* Sender, TSignal Signal, TWrite Write) {
        Connect(Sender, Signal, Write, &TKxDialog::Guarded);
    }
    /// A change handler's frame: nothing during Ini, else Action, then Changed.
    void Handle(const std::function<void()>& Action);
    /// Opens the colour choice preset with Swatch's colour; a confirmed colour goes to the swatch and
    /// to Store, as a change.
    void ChooseColor(TKxSwatch* Swatch, const std::function<void(TColor)>& Store);
    /// A file chosen in the picture-file dialog (OpenPictureDialog1) with Filter; empty when the user
    /// cancels.
    QString ChoosePictureFile(const QString& Filter);
    /// Increment and decimals of every float box for the designer's unit: 0.5 and 1 in millimetres,
    /// InchStep and 2 in inches.
    void UnitSteps(double InchStep);
    bool Inches() const;

private:
    template <class TSender, class TSignal, class TWrite, class TRun>
    void Connect(TSender* Sender, TSignal Signal, TWrite Write, TRun Run) {
        connect(Sender, Signal, this,
                [Write, Run](const auto&... Args) { Run([&] { CallWrite(Write, Args...); }); });
    }
    /// Write with the signal's arguments, or with none when it takes none. A template of its own, so
    /// that the call Write cannot take is never compiled (clang checks a lambda's body eagerly).
    template <class TWrite, class... TArgs>
    static void CallWrite(const TWrite& Write, const TArgs&... Args) {
        if constexpr (std::is_invocable_v<const TWrite&, const TArgs&...>)
            Write(Args...);
        else
            Write();
    }

    TKxLab* FLab = nullptr;
    bool FIni = false;
    bool FCancelled = false;
    std::vector<std::function<void()>> FLoaders;
};
