// Any bytes as a .jpg file through the picture loader.
#include "picturefuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzPicture("fuzz.jpg", data, size);
    return 0;
}
