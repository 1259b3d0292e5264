#include "sound/import/ImportedSound.h"

#include <cmath>

i16 expandSample8(i8 sample) {
    const double unit = double(sample) / 127.0;
    if (unit >= 1.0) return 32767;
    if (unit < -1.0) return -32768;
    return i16(std::lround((unit + 1.0) * 32767.5 - 32768.0));
}
