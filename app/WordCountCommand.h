// View/Word Count and Website/Statistics as the project document runs them. The dialogs
// themselves are passed in, so the commands run with any front end (and in tests).
#pragma once
#include "dialogs/SiteInfoDialogs.h" // the dialog's results kWordCountExport, kWordCountImport
#include "framework/core/CString.h"

#include <functional>

class CKJDoc;
class QWidget;


// Shows the labels and values; returns the dialog's result.
using WordCountDialogRunner = std::function<int(const CString& labels, const CString& values)>;
// Edits the statistics code in place; true for OK.
using StatisticsDialogRunner = std::function<bool(CString& code)>;

// The whole command: counts, generates to measure the bytes, shows the dialog and exports
// or imports the texts as the dialog ends.
void RunWordCount(CKJDoc& doc, const WordCountDialogRunner& dialog);
// OK stores the edited code as one change of every page; Cancel changes nothing.
void RunWebsiteStatistics(CKJDoc& doc, const StatisticsDialogRunner& dialog);
