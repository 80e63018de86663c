#include "ScannerError.h"

// Two codes share the file-access message.
ScannerError::ScannerError()
    : ErrorCatalogue({
          {-4509, "ErrorFileAccess"},
          {-4400, "ErrorNotReady"},
          {-4401, "ErrorNoPaperIsSet"},
          {-4426, "ErrorPaperJammed"},
          {-4429, "ErrorCoverIsOpen"},
          {-4431, "ErrorScannerHardware"},
          {-4500, "ErrorScannerOutOfMemory"},
          {-4513, "ErrorFileAccess"},
          {-4506, "ErrorUnknownStorage"},
          {-4619, "ErrorPaperFeed"},
      })
{
}
