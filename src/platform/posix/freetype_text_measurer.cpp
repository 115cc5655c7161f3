// Text measurement with FreeType and fontconfig, choosing and sizing fonts as Windows GDI does.
#include "platform/posix/freetype_text_measurer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "text/ascii_case.h"

namespace tavik {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerPoint = 20;
// GDI keeps this many characters of a face name.
constexpr std::size_t kFaceNameLimit = 31;
// A zero height asks GDI for its default cell.
constexpr int kDefaultCellPixels = 16;
// Bounds that keep the pixel arithmetic in range; no font has strikes or hints near them.
constexpr double kMaxPoints = 16384.0;
constexpr long kMaxCellPixels = 32767;
// From this resolution up, Windows installs the "large fonts" raster files.
constexpr int kLargeFontsPixelsPerInch = 120;
// Every measured text is widened and heightened by these factors before it is used.
constexpr double kWidthFactor = 1.275;
constexpr double kHeightFactor = 1.4;

constexpr std::string_view kRasterFolder = "/usr/share/wine/fonts";
constexpr std::string_view kLiberationFolder = "/usr/share/fonts/truetype/liberation";

// Face names that Windows replaces by another before matching.
struct Substitute {
  std::string_view name;
  std::string_view replacement;
};
constexpr std::array kSubstitutes{
    Substitute{"helv", "ms sans serif"},    Substitute{"ms shell dlg", "ms sans serif"},
    Substitute{"tms rmn", "ms serif"},      Substitute{"helvetica", "arial"},
    Substitute{"times", "times new roman"},
};

// The raster faces, with their files for ordinary and for large-fonts screens.
struct RasterFace {
  std::string_view name;
  std::string_view file;
  std::string_view large_fonts_file;
};
constexpr std::array kRasterFaces{
    RasterFace{"ms sans serif", "sserife.fon", "sseriff.fon"},
    RasterFace{"courier", "coure.fon", "coure.fon"},
    RasterFace{"small fonts", "smalle.fon", "smalle.fon"},
    RasterFace{"system", "vgasys.fon", "vgasys.fon"},
    RasterFace{"fixedsys", "vgafix.fon", "vgafix.fon"},
};

// TrueType faces and a file with the same metrics; the family names the same files under
// fontconfig, for systems that keep them elsewhere.
struct TrueTypeFace {
  std::string_view name;
  std::string_view folder;
  std::string_view file;
  std::string_view family;
};
constexpr std::array kTrueTypeFaces{
    TrueTypeFace{"arial", kLiberationFolder, "LiberationSans-Regular.ttf", "Liberation Sans"},
    TrueTypeFace{"arial narrow", kLiberationFolder, "LiberationSansNarrow-Regular.ttf",
                 "Liberation Sans Narrow"},
    TrueTypeFace{"times new roman", kLiberationFolder, "LiberationSerif-Regular.ttf",
                 "Liberation Serif"},
    TrueTypeFace{"courier new", kLiberationFolder, "LiberationMono-Regular.ttf", "Liberation Mono"},
    TrueTypeFace{"tahoma", kRasterFolder, "tahoma.ttf", "Tahoma"},
};

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_ULong UnicodeOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using FtLibraryPtr = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;

struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

struct FcConfigDeleter {
  void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;

struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

// The height asked of the font mapper, in device pixels. A positive logical height asks for
// a cell height (ascent plus descent); a negative one for a character height (the cell less
// its internal leading).
struct HeightRequest {
  int pixels = 0;
  bool character_height = false;
};

HeightRequest RequestFor(float font_size, int pixels_per_inch_y) {
  const double points = std::isfinite(font_size)
                            ? std::clamp(std::trunc(double{font_size}), -kMaxPoints, kMaxPoints)
                            : 0.0;
  if (points == 0.0) return {kDefaultCellPixels, false};
  const double twips = points * kTwipsPerPoint;
  // Logical units map to device pixels rounded to nearest, but a height never vanishes.
  const long pixels = std::lround(std::abs(twips) * pixels_per_inch_y / kTwipsPerInch);
  return {static_cast<int>(std::clamp(pixels, 1L, kMaxCellPixels)), twips < 0};
}

// Pixels back to twips, rounded as GDI maps extents to logical units, then scaled and kept in 16
// bits. The factors are applied in double precision, so a product such as 165 x 1.4 lands just
// below 231 and truncates to 230. Keep it so: measured sizes end up in generated forms, which must
// come out the same from every build. The twips are rounded half away from zero in whole numbers:
// that is what rounding the quotient in double precision gives for any width a text can have (short
// of 2^52 / 1440 pixels a quotient never lies within its rounding error of a half it does not
// equal), and costs no call.
std::uint16_t ScaledTwips(long pixels, int pixels_per_inch, double factor) {
  const std::int64_t scaled = std::int64_t{pixels} * kTwipsPerInch;
  const std::int64_t magnitude =
      (2 * (scaled < 0 ? -scaled : scaled) + pixels_per_inch) / (2 * std::int64_t{pixels_per_inch});
  const auto twips = static_cast<double>(scaled < 0 ? -magnitude : magnitude);
  return static_cast<std::uint16_t>(static_cast<std::int64_t>(twips * factor));
}

std::string CanonicalFaceName(std::string_view font_name) {
  std::string name = text::AsciiLowered(font_name.substr(0, kFaceNameLimit));
  for (const Substitute& substitute : kSubstitutes) {
    if (name == substitute.name) return std::string(substitute.replacement);
  }
  return name;
}

// Fontconfig wants UTF-8; face names arrive in Windows-1252.
std::string Utf8Of(std::string_view text) {
  std::string utf8;
  for (char c : text) {
    const FT_ULong code = UnicodeOf(static_cast<unsigned char>(c));
    if (code < 0x80) {
      utf8 += static_cast<char>(code);
    } else if (code < 0x800) {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (code >> 12));
      utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

struct FontFile {
  std::string path;
  FT_Long face_index = 0;
};

std::optional<FontFile> ExistingFile(std::string_view folder, std::string_view file) {
  std::filesystem::path path(folder);
  path /= file;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return FontFile{path.string()};
}

// The fixed file of a face this system knows, when it is installed.
std::optional<FontFile> KnownFile(const std::string& name, bool large_fonts) {
  for (const RasterFace& face : kRasterFaces) {
    if (name == face.name) {
      return ExistingFile(kRasterFolder, large_fonts ? face.large_fonts_file : face.file);
    }
  }
  for (const TrueTypeFace& face : kTrueTypeFaces) {
    if (name == face.name) return ExistingFile(face.folder, face.file);
  }
  return std::nullopt;
}

// The family to ask fontconfig for when the fixed file is not there.
std::string_view FallbackFamily(const std::string& name) {
  for (const TrueTypeFace& face : kTrueTypeFaces) {
    if (name == face.name) return face.family;
  }
  return name;
}

FtFacePtr OpenFace(FT_Library library, const std::string& path, FT_Long index) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, path.c_str(), index, &face) != 0) return nullptr;
  return FtFacePtr(face);
}

// A face at one size: its cell height and the whole-pixel advance of every code.
struct SizedFont {
  int cell_height = 0;
  std::array<int, 256> advances{};
};

enum class CharCodes { kFontOwn, kUnicode, kSymbol };

// FreeType makes only a Unicode charmap current by itself; a font's own one is set by hand.
CharCodes UseOwnCharmap(FT_Face face) {
  if (face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
  return CharCodes::kFontOwn;
}

// Windows raster fonts carry a Windows-1252 charmap of their own. TrueType fonts are reached
// through Unicode, or through the private area where symbol fonts put their byte codes.
CharCodes SelectCharmap(FT_Face face) {
  FT_WinFNT_HeaderRec header;
  if (FT_Get_WinFNT_Header(face, &header) == 0) return UseOwnCharmap(face);
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) == 0) return CharCodes::kUnicode;
  if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) == 0) return CharCodes::kSymbol;
  return UseOwnCharmap(face);
}

FT_ULong CharCode(unsigned char byte, CharCodes codes) {
  switch (codes) {
    case CharCodes::kUnicode:
      return UnicodeOf(byte);
    case CharCodes::kSymbol:
      return 0xF000 | byte;
    case CharCodes::kFontOwn:
      break;
  }
  return byte;
}

// Every code's advance in whole pixels, as `advance` reads it from the loaded glyph. A code
// the font lacks maps to glyph 0, which is what GDI draws for it (the default character of a
// raster font, the missing-glyph box of a TrueType one).
template <typename Advance>
void LoadAdvances(FT_Face face, FT_Int32 load_flags, Advance advance, SizedFont& font) {
  const CharCodes codes = SelectCharmap(face);
  for (std::size_t byte = 0; byte < font.advances.size(); ++byte) {
    const FT_UInt glyph =
        FT_Get_Char_Index(face, CharCode(static_cast<unsigned char>(byte), codes));
    const bool loaded = FT_Load_Glyph(face, glyph, load_flags) == 0;
    font.advances[byte] = loaded ? advance(face->glyph) : 0;
  }
}

struct Strike {
  FT_Long face_index = 0;
  FT_Int size_index = 0;
  int cell_height = 0;
  int internal_leading = 0;
};

void AddStrikes(FT_Face face, FT_Long face_index, std::vector<Strike>& strikes) {
  FT_WinFNT_HeaderRec header;
  const bool windows_font = FT_Get_WinFNT_Header(face, &header) == 0;
  for (FT_Int size = 0; size < face->num_fixed_sizes; ++size) {
    // FreeType counts a Windows font's external leading into its strike height; the cell
    // GDI matches against is the pixel height alone.
    if (windows_font) {
      strikes.push_back({face_index, size, header.pixel_height, header.internal_leading});
    } else {
      strikes.push_back({face_index, size, face->available_sizes[size].height, 0});
    }
  }
}

// A Windows font file holds one face per strike, so every face of the file is a candidate.
std::vector<Strike> ListStrikes(FT_Library library, const std::string& path) {
  std::vector<Strike> strikes;
  for (FT_Long index = 0;; ++index) {
    const FtFacePtr face = OpenFace(library, path, index);
    if (!face) break;
    AddStrikes(face.get(), index, strikes);
    if (index + 1 >= face->num_faces) break;
  }
  return strikes;
}

// GDI's rule for raster fonts: the largest strike not above the height asked for, or the
// smallest strike when all are above it.
std::optional<Strike> ChooseStrike(const std::vector<Strike>& strikes, HeightRequest request) {
  const auto height = [request](const Strike& strike) {
    return request.character_height ? strike.cell_height - strike.internal_leading
                                    : strike.cell_height;
  };
  const Strike* fitting = nullptr;
  const Strike* smallest = nullptr;
  for (const Strike& strike : strikes) {
    if (smallest == nullptr || height(strike) < height(*smallest)) smallest = &strike;
    if (height(strike) <= request.pixels &&
        (fitting == nullptr || height(strike) > height(*fitting))) {
      fitting = &strike;
    }
  }
  if (fitting != nullptr) return *fitting;
  if (smallest != nullptr) return *smallest;
  return std::nullopt;
}

std::optional<SizedFont> LoadRaster(FT_Library library, const std::string& path,
                                    HeightRequest request) {
  const std::optional<Strike> strike = ChooseStrike(ListStrikes(library, path), request);
  if (!strike) return std::nullopt;
  const FtFacePtr face = OpenFace(library, path, strike->face_index);
  if (!face || FT_Select_Size(face.get(), strike->size_index) != 0) return std::nullopt;
  SizedFont font;
  font.cell_height = strike->cell_height;
  LoadAdvances(
      face.get(), FT_LOAD_DEFAULT | FT_LOAD_BITMAP_METRICS_ONLY,
      [](FT_GlyphSlot slot) { return static_cast<int>(slot->advance.x >> 6); }, font);
  return font;
}

// Ascent and descent in font units as GDI takes them: the OS/2 Windows metrics, else the
// face's own.
std::pair<long, long> DesignAscentDescent(FT_Face face) {
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    return {os2->usWinAscent, os2->usWinDescent};
  }
  return {face->ascender, -face->descender};
}

// A cell height is met by scaling the em so that ascent plus descent fill the cell, in whole
// pixels per em as GDI scales; a character height is the em itself.
FT_UInt PixelsPerEm(FT_Face face, HeightRequest request) {
  const auto [ascent, descent] = DesignAscentDescent(face);
  if (request.character_height || ascent + descent <= 0)
    return static_cast<FT_UInt>(request.pixels);
  const long ppem = std::lround(static_cast<double>(face->units_per_EM) * request.pixels /
                                static_cast<double>(ascent + descent));
  return static_cast<FT_UInt>(std::max(1L, ppem));
}

int ScaledCellHeight(FT_Face face) {
  const auto [ascent, descent] = DesignAscentDescent(face);
  const FT_Fixed scale = face->size->metrics.y_scale;
  return static_cast<int>(((FT_MulFix(ascent, scale) + 32) >> 6) +
                          ((FT_MulFix(descent, scale) + 32) >> 6));
}

std::optional<SizedFont> LoadScalable(FT_Face face, HeightRequest request) {
  if (FT_Set_Pixel_Sizes(face, 0, PixelsPerEm(face, request)) != 0) return std::nullopt;
  SizedFont font;
  font.cell_height = request.character_height ? ScaledCellHeight(face) : request.pixels;
  // The design advance rounded to whole pixels. The metric-compatible faces share only their
  // design widths with the faces they stand in for: their own hinting narrows many glyphs by
  // a pixel at dialog sizes, where the originals' hinted widths stay at the rounded design
  // width. The design width is also the same under every FreeType build.
  LoadAdvances(
      face, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP,
      [](FT_GlyphSlot slot) { return static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16); },
      font);
  return font;
}

FtLibraryPtr OpenLibrary() {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  return FtLibraryPtr(library);
}

long WidthOf(std::string_view text, const SizedFont& font) {
  long width = 0;
  for (char c : text) width += font.advances[static_cast<unsigned char>(c)];
  return width;
}

}  // namespace

// The FreeType library, fontconfig (set up only when a name needs it) and every face and
// size measured so far.
class FreetypeTextMeasurer::Fonts {
 public:
  Fonts() : library_(OpenLibrary()) {}

  // The font, or null when none can be had for the name, and its cell height in twips.
  struct Sized {
    const SizedFont* font = nullptr;
    std::uint16_t height = 0;
  };

  // A form's controls ask for the same font one after another: the last answer is given
  // again for the name as written and the same size and screen, before the size is turned
  // into pixels, the name folded and the cache searched.
  Sized FindAsked(std::string_view font_name, float font_size, int pixels_per_inch_y) {
    if (last_ && font_size == last_->font_size && pixels_per_inch_y == last_->pixels_per_inch_y &&
        font_name == last_->given_name) {
      return last_->answer;
    }
    Sized answer;
    answer.font = Find(font_name, RequestFor(font_size, pixels_per_inch_y),
                       pixels_per_inch_y >= kLargeFontsPixelsPerInch);
    if (answer.font != nullptr) {
      answer.height = ScaledTwips(answer.font->cell_height, pixels_per_inch_y, kHeightFactor);
    }
    last_ = LastAsk{std::string(font_name), font_size, pixels_per_inch_y, answer};
    return answer;
  }

 private:
  // Null when no font can be had for the name.
  const SizedFont* Find(std::string_view font_name, HeightRequest request, bool large_fonts) {
    const std::string name = CanonicalFaceName(font_name);
    Key key{name, request.pixels, request.character_height, large_fonts};
    auto found = cache_.find(key);
    if (found == cache_.end()) {
      found = cache_.emplace(std::move(key), Load(name, request, large_fonts)).first;
    }
    return found->second ? &*found->second : nullptr;
  }

  // Face name, pixels, character height or cell, large-fonts screen.
  using Key = std::tuple<std::string, int, bool, bool>;

  std::optional<SizedFont> Load(const std::string& name, HeightRequest request, bool large_fonts) {
    if (!library_) return std::nullopt;
    std::optional<FontFile> file = KnownFile(name, large_fonts);
    if (!file) file = Match(FallbackFamily(name));
    if (!file) return std::nullopt;
    const FtFacePtr face = OpenFace(library_.get(), file->path, file->face_index);
    if (!face) return std::nullopt;
    if (FT_IS_SCALABLE(face.get())) return LoadScalable(face.get(), request);
    return LoadRaster(library_.get(), file->path, request);
  }

  std::optional<FontFile> Match(std::string_view family) {
    FcConfig* config = Config();
    const FcPatternPtr pattern(FcPatternCreate());
    if (config == nullptr || !pattern) return std::nullopt;
    const std::string utf8 = Utf8Of(family);
    if (!utf8.empty()) {
      FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8.c_str()));
    }
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const FcPatternPtr match(FcFontMatch(config, pattern.get(), &result));
    FcChar8* path = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) {
      return std::nullopt;
    }
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    return FontFile{reinterpret_cast<const char*>(path), index};
  }

  FcConfig* Config() {
    if (!config_tried_) {
      config_tried_ = true;
      config_.reset(FcInitLoadConfigAndFonts());
    }
    return config_.get();
  }

  FtLibraryPtr library_;
  FcConfigPtr config_;
  bool config_tried_ = false;
  std::map<Key, std::optional<SizedFont>> cache_;
  // The font answered last and what it was asked by; the map's entries never move.
  struct LastAsk {
    std::string given_name;
    float font_size = 0.0f;
    int pixels_per_inch_y = 0;
    Sized answer;
  };
  std::optional<LastAsk> last_;
};

FreetypeTextMeasurer::FreetypeTextMeasurer() : fonts_(std::make_unique<Fonts>()) {}

FreetypeTextMeasurer::~FreetypeTextMeasurer() = default;

TextExtent FreetypeTextMeasurer::Measure(std::string_view text, std::string_view font_name,
                                         float font_size, int pixels_per_inch_x,
                                         int pixels_per_inch_y) {
  // An empty text has no extent, not even a line's height: GDI measures it so.
  if (text.empty() || pixels_per_inch_x <= 0 || pixels_per_inch_y <= 0) return {};
  const Fonts::Sized sized = fonts_->FindAsked(font_name, font_size, pixels_per_inch_y);
  if (sized.font == nullptr) return {};
  return {ScaledTwips(WidthOf(text, *sized.font), pixels_per_inch_x, kWidthFactor), sized.height};
}

}  // namespace tavik
