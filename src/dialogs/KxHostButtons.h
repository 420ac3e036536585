#pragma once

class TKxDialog;

/// Puts the host's buttons under a dialog's designed form: "Close" keeps what the dialog changed,
/// "Cancel" puts it back (TKxDialog::Cancel). A form with a close button of its own (BitBtn1) gets
/// only "Cancel", beside that button. The buttons carry the object name KxHostButtons.
void KxAddHostButtons(TKxDialog& Dialog);
