#pragma once

/// Fixed messages the system shows as they stand, in the language it has always shown them in;
/// translatable interface texts live in the string table (KxStrings.h) instead.
constexpr char KxCannotReadLabel[] = "No se puede leer el archivo elegido";
/// Followed by the file's name.
constexpr char KxCannotOpenFile[] = "No se puede abrir el archivo: ";
/// The printer does not know the label's paper code.
constexpr char KxUnknownPaper[] = "Ha entrado en  if not Assigned(DevMode) ...";
/// Followed by the reason.
constexpr char KxInvalidCatalogue[] = "Invalid alias catalogue: %1";
/// %1 the sheets or labels a preview would need, %2 the most it may hold, %3 "sheets" or "labels".
constexpr char KxPreviewTooLarge[] =
    "The preview would need %1 %3; at most %2 can be previewed. Preview fewer labels, or print the run.";
constexpr char KxRunCancelled[] = "The run was cancelled.";
/// Printing without a printer or a file chosen, on a system without a default printer.
constexpr char KxNoPrinter[] =
    "No printer is chosen and the system has no default printer: choose a printer (or a PDF file) first.";
