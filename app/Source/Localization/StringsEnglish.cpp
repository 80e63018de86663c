// English texts. One row per key; "%@" marks where a value is inserted
// ("%1$@", "%2$@" when a translation needs another order).
#include "Localization/StringTable.h"

#include <iterator>

namespace {
const StringTableEntry kEntries[] = {
    // Common
    {"OK", "OK"},
    {"Cancel", "Cancel"},
    {"Back", "Back"},

    // Main menu
    {"MainMenu_Edit", "Edit"},
    {"MainMenu_Window", "Window"},
    {"MainMenu_Help", "Help"},
    {"MainMenu_About", "About %@"},
    {"MainMenu_Prefs", "Preferences…"},
    {"MainMenu_AppHide", "Hide %@"},
    {"MainMenu_OtherHide", "Hide Others"},
    {"MainMenu_ShowAll", "Show All"},
    {"MainMenu_Quit", "Quit %@"},
    {"MainMenu_Cut", "Cut"},
    {"MainMenu_Copy", "Copy"},
    {"MainMenu_Paste", "Paste"},
    {"MainMenu_Delete", "Delete"},
    {"MainMenu_SelectAll", "Select All"},
    {"MainMenu_Miniaturize", "Minimize"},
    {"MainMenu_Zoom", "Zoom"},
    {"MainMenu_Close", "Close"},
    {"MainMenu_FrontAll", "Bring All to Front"},
    {"MainMenu_ShowHelpHelp", "%@ Help"},

    // Errors
    {"ErrorTitle", "Error"},
    {"ErrorFileAccess", "The scanner could not access the destination file or folder."},
    {"ErrorNotReady", "The scanner is not ready."},
    {"ErrorNoPaperIsSet", "No paper is loaded in the scanner."},
    {"ErrorPaperJammed", "Paper is jammed in the scanner."},
    {"ErrorCoverIsOpen", "The scanner cover is open."},
    {"ErrorScannerHardware", "A hardware error occurred in the scanner."},
    {"ErrorScannerOutOfMemory", "The scanner ran out of memory."},
    {"ErrorUnknownStorage", "The scanner's storage could not be found."},
    {"ErrorPaperFeed", "The paper could not be fed correctly."},
    {"ErrorNoDetectScanner", "No scanner was found."},
    {"ErrorScan", "The scan failed."},
    {"ErrorFailedToBulkRegistJob", "The jobs could not be registered on the scanner."},
    {"ErrorInvalidCharacters", "The path contains characters that are not allowed: : \" * ? < > |"},
    {"ErrorTooLongPath", "The path is too long."},
    {"ErrorInvalidPassword", "The job password is not correct."},
    {"ErrorConnect", "The connection to the scanner failed."},
    {"ErrorJobName", "Enter a job name."},
    {"ErrorSendPath", "Enter the path of the shared folder."},
    {"ErrorInvalidCombiMonoJpeg", "Monochrome cannot be combined with the JPEG file format."},
    {"ErrorNoSelectJob", "Select a job."},
    {"ErrorNoSelectScanner", "Select a scanner."},
    {"ErrorJobFull", "No more jobs can be added: the limit is 99 jobs."},
    {"ErrorSaveJob", "The job could not be saved. Check that the job folder can be written to and that the disk is not full."},
    {"ErrorDeleteJob", "A job could not be removed. Check that the job folder can be written to."},

    // Job list
    {"TitleScanAppJob", "Scan Jobs"},
    {"TitleSelectScanner", "Select Scanner"},
    {"SelectScanner", "Select a scanner"},
    {"LabelScanSettings", "Scan Settings"},
    {"MenuDeleteAll", "Delete All"},
    {"TitleAddJob", "Add Job"},
    {"ButtonScan", "Scan"},
    {"MessageDelete", "Delete all jobs?"},
    {"LabelJob", "Job"},

    // Scan
    {"Scanning", "Scanning..."},
    {"CreatingFile", "Creating the file..."},
    {"SendingFile", "Sending the file..."},
    {"CompletedScan", "The scan is complete."},

    // Registration
    {"BulkRegist", "Registering jobs..."},
    {"LabelJobNo", "Job No."},
    {"RegistJob", "Register"},
    {"MenuDelete", "Delete"},
    {"FinishRegist", "The jobs have been registered on the scanner."},

    // Bulk registration
    {"ButtonUpdate", "Update"},
    {"LabelSendJobAllScanner", "Register the jobs on several scanners"},
    {"LabelSelect", "Select"},
    {"LabelScanner", "Scanner"},
    {"LabelPassword", "Password"},
    {"LabelResult", "Result"},
    {"ResSuccess", "Succeeded"},
    {"ResFailure", "Failed"},
    {"SearchScanner", "Searching for scanners..."},

    // Password dialog
    {"TitlePassword", "Job Password"},
    {"MessagePassword", "Enter the scanner's job password."},

    // Job editor
    {"ColorMode", "Color Mode"},
    {"Color", "Color"},
    {"Gray", "Grayscale"},
    {"Monochrome", "Monochrome"},
    {"PaperSize", "Paper Size"},
    {"Auto", "Automatic"},
    {"Letter", "Letter"},
    {"A4", "A4"},
    {"Resolution", "Resolution"},
    {"Dpi150", "150 dpi"},
    {"Dpi200", "200 dpi"},
    {"Dpi240", "240 dpi"},
    {"Dpi300", "300 dpi"},
    {"ReadingSurface", "Reading Surface"},
    {"SkipWhite", "Skip blank pages"},
    {"SingleSide", "Single-sided"},
    {"BothSide", "Double-sided"},
    {"FileFormat", "File Format"},
    {"Pdf", "PDF"},
    {"PdfOcr", "PDF (searchable)"},
    {"Jpeg", "JPEG"},
    {"Tiff", "TIFF"},
    {"SendSetting", "Destination"},
    {"ShareFolder", "Shared folder"},
    {"DeviceStorage", "Scanner storage"},
    {"LabelUser", "User Name"},
    {"LabelSendPath", "Shared Folder Path"},
    {"SaveJob", "Save"},

    // Scanner list
    {"SearchWordScanner", "Scanner name or IP address"},

    // Version screen
    {"TextSendJobAllScanner", "Register Jobs on Scanners"},
    {"LabelVersionInfo", "Version Information"},
    {"TextVersion", "Version"},
    {"TextCopyright", "Copyright"},

    // Desktop application: texts of the interface descriptions and the menus
    {"MainMenu_Undo", "Undo"},
    {"MainMenu_Redo", "Redo"},
    {"HelpText",
     "Add jobs with \"Add Job\" and pick a scanner with the scanner button. Select a job tile and press "
     "\"Scan\" to scan with it, or register all jobs on the scanner. Bulk registration on several scanners is "
     "on the version screen (the information button)."},
    {"ButtonRegistAllJobs", "Register Jobs on Scanner"},
    {"MainMenu_ExportJobs", "Export Jobs..."},
    {"MainMenu_ImportJobs", "Import Jobs..."},
    {"DialogExportJobs", "Export the Jobs to a Bundle File"},
    {"DialogImportJobs", "Import Jobs from a Bundle File"},
    {"BundleFileFilter", "Job bundles (*.json)"},
    {"AllFilesFilter", "All files (*)"},
    {"QuestionExportPasswords",
     "Some jobs hold a shared folder password. Put the passwords into the bundle too? The file can then be read "
     "by you only."},
    {"ButtonWithoutPasswords", "Without Passwords"},
    {"ButtonWithPasswords", "With Passwords"},
    {"QuestionImportReplace",
     "Add the bundle's jobs to the present ones, or replace the present jobs with the jobs of the bundle?"},
    {"ButtonReplaceJobs", "Replace"},
    {"ButtonAddJobs", "Add"},
    {"MenuForgetScanner", "Forget This Scanner"},
    {"TipSavedScanner", "Saved scanner at %@. Its menu or the Delete key forgets it."},
    {"ButtonSearch", "Search"},
    // Names read out for controls that show a picture instead of a text
    {"AccessibleShowPassword", "Show password"},
    {"AccessibleEditJob", "Edit job"},
    {"AccessibleRemoveJob", "Remove job"},

    // Job bundles, the preset jobs and the saved scanners (application and tool)
    {"AppErrorBundleJobsExist",
     "These jobs already exist: %@. Nothing was imported; choose Replace to replace the whole job set."},
    {"AppImportNotRolledBack",
     "The jobs could not all be put back as they were before the import; check them in the job list."},
    {"AppImportNoPasswords", "The bundle holds no shared folder passwords; enter them in the job editor."},
    {"AppErrorExportInvalidJob", "Job %1$@ cannot be exported: %2$@ Correct it in the job editor. Nothing was exported."},
    {"PresetJobsImported", "The preset jobs of %1$@ were imported: %2$@."},
    {"PresetJobsRefused", "The preset jobs of %1$@ were not imported. %2$@"},
    {"ErrorSavedScannersFile", "The saved scanners file %1$@ cannot be used: %2$@ It is left as it is; correct or remove it."},
    {"SavedScannersUnreadable", "it cannot be read (%@)."},
    {"SavedScannersNotAFile", "it is not a regular file."},
    {"SavedScannersTooLarge", "it is larger than 64 KiB."},
    {"SavedScannersSyntax", "it is not valid JSON (error at byte %@)."},
    {"SavedScannersForeign", "it is not a list of saved scanners."},
    {"SavedScannersNewer", "it has format version %1$@, and this program reads versions up to %2$@."},
    {"SavedScannersDamaged", "the value at %@ is missing, repeated, unexpected or not valid."},
    {"ErrorSavedScannersWrite", "The saved scanners file %1$@ could not be written: %2$@."},
    {"ErrorSavedScannersFull", "At most %@ scanners can be saved; forget one first."},
    {"ErrorScannerNotSaved", "%@ is not a saved scanner."},
    {"ErrorConfigFolder", "The folder %@ could not be created."},

    // Command-line tool
    {"CliUsage",
     "Usage:\n"
     "  vantix jobs list [--json]\n"
     "  vantix jobs show N [--json]\n"
     "  vantix jobs add [JOB OPTIONS]\n"
     "  vantix jobs edit N [JOB OPTIONS]\n"
     "  vantix jobs rm N... | vantix jobs rm --all\n"
     "  vantix jobs export FILE [--with-passwords]\n"
     "  vantix jobs import FILE [--replace]\n"
     "  vantix discover [--json]\n"
     "  vantix identify ADDRESS [--json]\n"
     "  vantix scanners list [--json]\n"
     "  vantix scanners add ADDRESS\n"
     "  vantix scanners rm ADDRESS\n"
     "  vantix scan --scanner ADDRESS --job N [--json]\n"
     "  vantix register --scanner ADDRESS [--plan] [--json]\n"
     "  vantix bulk-register --targets FILE [--parallel N] [--plan] [--json]\n"
     "\n"
     "Job options:\n"
     "  --name TEXT             job name\n"
     "  --color VALUE           Color, Gray, Monochrome\n"
     "  --paper VALUE           Auto, Letter, A4\n"
     "  --resolution VALUE      Dpi150, Dpi200, Dpi240, Dpi300\n"
     "  --surface VALUE         SkipWhite, SingleSide, BothSide\n"
     "  --format VALUE          Pdf, PdfOcr, Jpeg, Tiff\n"
     "  --destination VALUE     ShareFolder, DeviceStorage\n"
     "  --user TEXT             user name for the shared folder\n"
     "  --path TEXT             path of the shared folder\n"
     "  --share-password-stdin  read the shared folder's password from standard input\n"
     "\n"
     "The job password of register is read from standard input; bulk-register reads\n"
     "lines \"ADDRESS PASSWORD\" from FILE. Passwords never go on the command line.\n"
     "Ctrl-C stops scan, register and bulk-register after the current request and\n"
     "releases the scanner; a second Ctrl-C quits at once.\n"
     "--parallel N registers up to N scanners at once (1 to 16, default 1); --plan\n"
     "prints what a registration would do to each slot and sends nothing.\n"
     "A job bundle (export, import) holds the whole job set; share passwords only\n"
     "with --with-passwords. import --replace removes the jobs not in the bundle.\n"
     "Saved scanners (scanners add, rm) are asked who they are by discover too, for\n"
     "networks that the search does not reach; add saves an address that answers.\n"
     "vantix --verbose COMMAND ... also prints every scanner request (method, URL,\n"
     "status or failure, time) on standard error.\n"
     "Exit status: 0 success, 1 the operation failed, 2 bad usage."},
    {"CliErrorUnknownCommand", "Unknown command \"%@\". Run \"vantix help\" for usage."},
    {"CliErrorUnknownOption", "Unknown option \"%@\"."},
    {"CliErrorMissingValue", "The option \"%@\" needs a value."},
    {"CliErrorRepeatedOption", "The option \"%@\" is given more than once."},
    {"CliErrorInvalidKeyword", "\"%1$@\" is not a valid value for %2$@; use one of: %3$@."},
    {"CliErrorInvalidJobNumber", "\"%@\" is not a job number (1 to 99)."},
    {"CliErrorInvalidAddress", "\"%@\" is not an IPv4 address."},
    {"CliErrorMissingArgument", "Missing argument: %@."},
    {"CliErrorUnexpectedArgument", "Unexpected argument \"%@\"."},
    {"CliErrorNoSuchJob", "There is no job %@."},
    {"CliErrorSaveFailed", "Job %1$@ could not be saved in %2$@."},
    {"CliErrorDeleteFailed", "Job %@ could not be removed."},
    {"CliErrorJobFolder", "The job folder %@ could not be created."},
    {"CliErrorTargetsOpen", "The targets file \"%@\" cannot be read."},
    {"CliErrorTargetsLine", "Line %@ of the targets file is not an IPv4 address followed by a password."},
    {"CliErrorTargetsEmpty", "The targets file \"%@\" lists no scanner."},
    {"CliErrorTargetsDuplicate",
     "Line %1$@ of the targets file lists %2$@ again (first on line %3$@): two runs on one scanner would fight "
     "for its lock. Nothing was sent."},
    {"CliErrorInvalidParallel", "\"%@\" is not a number of scanners at once (1 to 16)."},
    {"CliErrorBundleOpen", "The job bundle \"%@\" cannot be read. Nothing was imported."},
    {"CliErrorBundleTooLarge", "The file \"%@\" is larger than 1 MiB, so it is no job bundle. Nothing was imported."},
    {"CliErrorBundleSyntax",
     "The job bundle \"%1$@\" is damaged: it is not valid JSON (error at byte %2$@). Nothing was imported."},
    {"CliErrorBundleNotBundle", "The file \"%@\" is not a job bundle. Nothing was imported."},
    {"CliErrorBundleNewer",
     "The job bundle \"%1$@\" has format version %2$@; this program reads versions up to %3$@. Nothing was "
     "imported."},
    {"CliErrorBundleDamaged",
     "The job bundle \"%1$@\" is damaged: the value at %2$@ is missing, repeated, unexpected or not valid. "
     "Nothing was imported."},
    {"CliErrorImportInvalidJob", "Job %1$@ of the bundle cannot be imported: %2$@ Nothing was imported."},
    {"CliErrorBundleJobsExist",
     "These jobs already exist: %@. Nothing was imported; use --replace to replace the whole job set."},
    {"CliErrorImportSnapshot", "Job %@ could not be read to keep a copy of it. Nothing was imported."},
    {"CliImportRolledBack", "Nothing was imported: the jobs are as they were before."},
    {"CliImportNotRolledBack",
     "The jobs could not all be put back as they were before the import; check them with \"vantix jobs list\"."},
    {"CliImported", "Jobs imported: %1$@. Jobs removed: %2$@."},
    {"CliImportNoPasswords",
     "The bundle holds no shared folder passwords; set them with \"vantix jobs edit N --share-password-stdin\"."},
    {"CliErrorExportInvalidJob",
     "Job %1$@ cannot be exported: %2$@ Correct it with \"vantix jobs edit %1$@\". Nothing was exported."},
    {"CliWarnBundleSkipped", "The job file of number %@ is not numbered 1 to 99 and is left out of the bundle."},
    {"CliErrorBundleTooLargeToWrite",
     "The job set would make a bundle larger than 1 MiB, which no import reads. Nothing was exported."},
    {"CliErrorBundleWrite", "The job bundle \"%1$@\" could not be written: %2$@."},
    {"CliExported", "Jobs exported: %1$@, to %2$@."},
    {"CliWarnTargetsReadable",
     "Warning: the targets file \"%@\" holds passwords and can be read by other users; restrict it with "
     "\"chmod 600\"."},
    {"CliErrorPasswordInput", "The password could not be read from standard input."},
    {"CliPasswordPrompt", "Job password: "},
    {"CliSharePasswordPrompt", "Shared folder password: "},
    {"CliLabelScannerId", "Scanner ID"},
    {"CliLabelSaved", "saved"},
    {"CliErrorScannerNoAnswer", "The scanner at %@ does not answer; it was not saved."},
    {"CliErrorUnreadableIdentity", "The scanner at %@ answered, but its identity could not be read from the answer."},
    {"CliInterruptNotice",
     "Stopping: the scanner is released after the current request. Press Ctrl-C again to quit at once (the "
     "scanner may then stay locked)."},
    {"CliInterrupted", "Stopped before the end. The scanner is not locked."},
    {"CliInterruptedLocked", "Stopped before the end. The scanner did not accept the unlock and may stay locked."},
};
} // namespace

const StringTable& englishStringTable()
{
    static const StringTable table{"en", false, kEntries, std::size(kEntries)};
    return table;
}
