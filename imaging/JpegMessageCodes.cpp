#include "imaging/JpegMessageCodes.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <iterator>
#include <string_view>

// jerror.h takes its conditions from the configuration that jpeglib.h includes.
#include <jpeglib.h>

#include <jerror.h>

namespace pm {

namespace {

// The symbolic names of the release-61 message codes, in the order of their numbers.
constexpr std::string_view kRelease61Names[] = {
    "JMSG_NOMESSAGE",               // 0
    "JERR_ARITH_NOTIMPL",           // 1
    "JERR_BAD_ALIGN_TYPE",          // 2
    "JERR_BAD_BUFFER_MODE",         // 3
    "JERR_BAD_COMPONENT_ID",        // 4
    "JERR_BAD_DCT_COEF",            // 5
    "JERR_BAD_DCTSIZE",             // 6
    "JERR_BAD_HUFF_TABLE",          // 7
    "JERR_BAD_IN_COLORSPACE",       // 8
    "JERR_BAD_J_COLORSPACE",        // 9
    "JERR_BAD_LENGTH",              // 10
    "JERR_BAD_LIB_VERSION",         // 11
    "JERR_BAD_MCU_SIZE",            // 12
    "JERR_BAD_POOL_ID",             // 13
    "JERR_BAD_PRECISION",           // 14
    "JERR_BAD_PROGRESSION",         // 15
    "JERR_BAD_PROG_SCRIPT",         // 16
    "JERR_BAD_SAMPLING",            // 17
    "JERR_BAD_SCAN_SCRIPT",         // 18
    "JERR_BAD_STATE",               // 19
    "JERR_BAD_STRUCT_SIZE",         // 20
    "JERR_BAD_VIRTUAL_ACCESS",      // 21
    "JERR_BUFFER_SIZE",             // 22
    "JERR_CANT_SUSPEND",            // 23
    "JERR_CCIR601_NOTIMPL",         // 24
    "JERR_COMPONENT_COUNT",         // 25
    "JERR_CONVERSION_NOTIMPL",      // 26
    "JERR_DAC_INDEX",               // 27
    "JERR_DAC_VALUE",               // 28
    "JERR_DHT_INDEX",               // 29
    "JERR_DQT_INDEX",               // 30
    "JERR_EMPTY_IMAGE",             // 31
    "JERR_EMS_READ",                // 32
    "JERR_EMS_WRITE",               // 33
    "JERR_EOI_EXPECTED",            // 34
    "JERR_FILE_READ",               // 35
    "JERR_FILE_WRITE",              // 36
    "JERR_FRACT_SAMPLE_NOTIMPL",    // 37
    "JERR_HUFF_CLEN_OVERFLOW",      // 38
    "JERR_HUFF_MISSING_CODE",       // 39
    "JERR_IMAGE_TOO_BIG",           // 40
    "JERR_INPUT_EMPTY",             // 41
    "JERR_INPUT_EOF",               // 42
    "JERR_MISMATCHED_QUANT_TABLE",  // 43
    "JERR_MISSING_DATA",            // 44
    "JERR_MODE_CHANGE",             // 45
    "JERR_NOTIMPL",                 // 46
    "JERR_NOT_COMPILED",            // 47
    "JERR_NO_BACKING_STORE",        // 48
    "JERR_NO_HUFF_TABLE",           // 49
    "JERR_NO_IMAGE",                // 50
    "JERR_NO_QUANT_TABLE",          // 51
    "JERR_NO_SOI",                  // 52
    "JERR_OUT_OF_MEMORY",           // 53
    "JERR_QUANT_COMPONENTS",        // 54
    "JERR_QUANT_FEW_COLORS",        // 55
    "JERR_QUANT_MANY_COLORS",       // 56
    "JERR_SOF_DUPLICATE",           // 57
    "JERR_SOF_NO_SOS",              // 58
    "JERR_SOF_UNSUPPORTED",         // 59
    "JERR_SOI_DUPLICATE",           // 60
    "JERR_SOS_NO_SOF",              // 61
    "JERR_TFILE_CREATE",            // 62
    "JERR_TFILE_READ",              // 63
    "JERR_TFILE_SEEK",              // 64
    "JERR_TFILE_WRITE",             // 65
    "JERR_TOO_LITTLE_DATA",         // 66
    "JERR_UNKNOWN_MARKER",          // 67
    "JERR_VIRTUAL_BUG",             // 68
    "JERR_WIDTH_OVERFLOW",          // 69
    "JERR_XMS_READ",                // 70
    "JERR_XMS_WRITE",               // 71
    "JMSG_COPYRIGHT",               // 72
    "JMSG_VERSION",                 // 73
    "JTRC_16BIT_TABLES",            // 74
    "JTRC_ADOBE",                   // 75
    "JTRC_APP0",                    // 76
    "JTRC_APP14",                   // 77
    "JTRC_DAC",                     // 78
    "JTRC_DHT",                     // 79
    "JTRC_DQT",                     // 80
    "JTRC_DRI",                     // 81
    "JTRC_EMS_CLOSE",               // 82
    "JTRC_EMS_OPEN",                // 83
    "JTRC_EOI",                     // 84
    "JTRC_HUFFBITS",                // 85
    "JTRC_JFIF",                    // 86
    "JTRC_JFIF_BADTHUMBNAILSIZE",   // 87
    "JTRC_JFIF_EXTENSION",          // 88
    "JTRC_JFIF_THUMBNAIL",          // 89
    "JTRC_MISC_MARKER",             // 90
    "JTRC_PARMLESS_MARKER",         // 91
    "JTRC_QUANTVALS",               // 92
    "JTRC_QUANT_3_NCOLORS",         // 93
    "JTRC_QUANT_NCOLORS",           // 94
    "JTRC_QUANT_SELECTED",          // 95
    "JTRC_RECOVERY_ACTION",         // 96
    "JTRC_RST",                     // 97
    "JTRC_SMOOTH_NOTIMPL",          // 98
    "JTRC_SOF",                     // 99
    "JTRC_SOF_COMPONENT",           // 100
    "JTRC_SOI",                     // 101
    "JTRC_SOS",                     // 102
    "JTRC_SOS_COMPONENT",           // 103
    "JTRC_SOS_PARAMS",              // 104
    "JTRC_TFILE_CLOSE",             // 105
    "JTRC_TFILE_OPEN",              // 106
    "JTRC_THUMB_JPEG",              // 107
    "JTRC_THUMB_PALETTE",           // 108
    "JTRC_THUMB_RGB",               // 109
    "JTRC_UNKNOWN_IDS",             // 110
    "JTRC_XMS_CLOSE",               // 111
    "JTRC_XMS_OPEN",                // 112
    "JWRN_ADOBE_XFORM",             // 113
    "JWRN_BOGUS_PROGRESSION",       // 114
    "JWRN_EXTRANEOUS_DATA",         // 115
    "JWRN_HIT_MARKER",              // 116
    "JWRN_HUFF_BAD_CODE",           // 117
    "JWRN_JFIF_MAJOR",              // 118
    "JWRN_JPEG_EOF",                // 119
    "JWRN_MUST_RESYNC",             // 120
    "JWRN_NOT_SEQUENTIAL",          // 121
    "JWRN_TOO_MUCH_DATA",           // 122
};

// The symbolic names of the linked library's codes, in the order of its numbers: its jerror.h
// lists every code once through the JMESSAGE macro, so including it again with our own
// definition of that macro yields the names.
constexpr std::string_view kLinkedNames[] = {
#define JMESSAGE(code, string) #code,
#include <jerror.h>
};

static_assert(std::size(kLinkedNames) == JMSG_LASTMSGCODE,
              "the linked library's message list and its code enumeration differ");

constexpr int ReleaseNumberOfName(std::string_view name, int fallback) {
  for (size_t number = 0; number < std::size(kRelease61Names); ++number) {
    if (kRelease61Names[number] == name) return static_cast<int>(number);
  }
  return fallback;
}

constexpr std::array<int, std::size(kLinkedNames)> BuildTranslation() {
  std::array<int, std::size(kLinkedNames)> table{};
  for (size_t code = 0; code < table.size(); ++code) {
    table[code] = ReleaseNumberOfName(kLinkedNames[code], static_cast<int>(code));
  }
  return table;
}

constexpr auto kTranslation = BuildTranslation();

}  // namespace

int ReleaseMessageNumber(int linkedCode) {
  if (linkedCode < 0 || static_cast<size_t>(linkedCode) >= kTranslation.size()) return linkedCode;
  return kTranslation[static_cast<size_t>(linkedCode)];
}

}  // namespace pm
