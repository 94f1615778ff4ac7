#include "platform/device.h"

namespace plat {
namespace {

Device* currentDevice = nullptr;

}  // namespace

Device* CurrentDevice() { return currentDevice; }

void SetCurrentDevice(Device* device) { currentDevice = device; }

void DestroyDevice(Device* device) {
    if (device == currentDevice) currentDevice = nullptr;
    delete device;
}

}  // namespace plat
