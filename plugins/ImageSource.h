#pragma once
// The encoded picture a host hands over: a file (read whole from an offset) or
// a block of the host's memory, seen as one byte range.

#include <windows.h>

#include <cstddef>
#include <cstdint>

class ImageSource {
public:
    ImageSource() = default;
    ~ImageSource();
    ImageSource(const ImageSource&) = delete;
    ImageSource& operator=(const ImageSource&) = delete;

    // buf/len/flag as the plug-in calls receive them. Returns a plug-in result
    // code: 0, or 6 for a file that cannot be opened or read, 4 when the bytes
    // do not fit in memory, -1 for an input kind this plug-in does not know.
    int Open(LPCSTR buf, LONG_PTR len, unsigned int flag);

    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    uint8_t* owned_ = nullptr;  // the file's bytes, from the process heap
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
