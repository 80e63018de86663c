#include "FWKVXSDK/JobFolder.h"

#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/UserFolders.h"

bool JobFolder::ensureExists()
{
    const std::string folder = SettingData::userAppRootFolderPath();
    return !folder.empty() && folder.front() == '/' && UserFolders::ensurePrivate(folder) == 0;
}
