// The job list's registration of all jobs on the picked scanner.
#include "VXJobScanViewController.h"

void VXJobScanViewController::regsterjoball(QAbstractButton*)
{
}
