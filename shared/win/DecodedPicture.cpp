#include "DecodedPicture.h"

PluginBitmap::PluginBitmap(PluginHost& plugins, const std::string& path) {
    const PluginMatch match = plugins.FindPlugin(path);
    if (!match.Found()) {
        result_ = match.miss;
        return;
    }
    HLOCAL info = nullptr;
    HLOCAL bits = nullptr;
    if (plugins.DecodePicture(match, path, &info, &bits) != 0) return;
    blocks_.emplace(info, bits);
    if (!blocks_->Locked() || !ReadDibHeader(blocks_->Info(), blocks_->InfoBytes(), header_) ||
        !PlanTempBitmap(header_, blocks_->InfoBytes(), blocks_->BitsBytes(), layout_)) {
        return;
    }
    head_ = TempBitmapHead(layout_, blocks_->Info());
    result_ = Result::Decoded;
}
