#pragma once

class QWidget;

/// Sets the captions of Root and its children from the interface strings: every widget whose
/// dynamic property "kxString" names a string identifier ("KxField") takes that string as its
/// window title (Root), tab caption (a tab page), group title, label or button text. Captions
/// without the property keep their designed text.
void KxFillCaptions(QWidget& Root);
