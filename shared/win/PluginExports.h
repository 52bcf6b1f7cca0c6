#pragma once
// Included by a plug-in's exports file: its definitions must then match the
// ABI's declarations below, or it does not compile (another calling convention
// or other parameters). A plug-in defines the ones it offers.

#include "PluginAbi.h"

extern "C" {
spi::GetPluginInfoProc GetPluginInfo;
spi::IsSupportedProc IsSupported;
spi::GetPictureInfoProc GetPictureInfo;
spi::GetPictureProc GetPicture;
spi::GetPreviewProc GetPreview;
}
