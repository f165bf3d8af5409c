#include "gamedata/decompressors.h"

namespace glyphsmith {

std::string describe(UnpackError error)
{
    switch (error) {
    case UnpackError::None:
        return {};
    case UnpackError::InputEnds:
        return "the compressed data ends too early";
    case UnpackError::OutputOverflow:
        return "the compressed data holds more than its stated size";
    case UnpackError::BadBackReference:
        return "the compressed data refers to bytes before its start";
    case UnpackError::BadCode:
        return "the compressed data holds a code that means nothing there";
    case UnpackError::OutputTooShort:
        return "the compressed data ends before its stated size";
    }
    return "the compressed data is damaged";
}

} // namespace glyphsmith
