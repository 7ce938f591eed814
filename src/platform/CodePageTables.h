#pragma once
// The upper halves (bytes 128-255) of the Windows single-byte code pages the
// programs meet. Bytes a page leaves undefined map to the C1 control of the
// same number.

namespace platform {

// 1250, 1251, 1252, 1253, 1254 or 1257; any other number gives 1252.
const char16_t* UpperHalfOfCodePage(int codePage);

}  // namespace platform
