#include "AppError.h"

AppError::AppError()
    : ErrorCatalogue({
          {NoDetectScanner, "ErrorNoDetectScanner"},
          {Scan, "ErrorScan"},
          {FailedToBulkRegistJob, "ErrorFailedToBulkRegistJob"},
          {InvalidCharacters, "ErrorInvalidCharacters"},
          {TooLongPath, "ErrorTooLongPath"},
          {InvalidPassword, "ErrorInvalidPassword"},
          {Connect, "ErrorConnect"},
      })
{
}
