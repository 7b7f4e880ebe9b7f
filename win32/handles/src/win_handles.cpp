#include "win32/win_handles.h"

#include <cstring>

namespace zqt::win32 {

UniqueFont MakeFont(const char* face, int pixel_height, BYTE charset) {
  LOGFONTA font{};
  font.lfHeight = -pixel_height;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = charset;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectA(&font));
}

}  // namespace zqt::win32
