// Placeholder so that the library links; the discovery work replaces this file.
#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"

DiscoveryManager::DiscoveryManager() = default;
DiscoveryManager::~DiscoveryManager() = default;
bool DiscoveryManager::OpenManager() { return true; }
bool DiscoveryManager::CloseManager() { return true; }
bool DiscoveryManager::SearchDevice(bool, Completion) { return false; }
bool DiscoveryManager::StartSearchDevices() { return false; }
bool DiscoveryManager::StopSearchDevices() { return true; }
