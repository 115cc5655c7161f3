// Draws one control of a form as Windows 95 shows it, by the control's class.
#include "preview/control_painter.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "preview/bevels.h"
#include "preview/figure_painter.h"
#include "preview/grid_columns.h"
#include "preview/palette.h"
#include "preview/property_values.h"

namespace tavik::preview {

namespace {

using formfile::FindProperty;
using formfile::RunningControl;

// Windows 95 sizes, in pixels: the square of a check box, the circle of an option button,
// the gap before their captions, a scroll bar's breadth and the record selectors of a grid.
constexpr int kCheckSize = 13;
constexpr int kOptionSize = 12;
constexpr int kCaptionGap = 4;
constexpr int kScrollBreadth = 16;
constexpr int kRecordSelectorWidth = 12;
// Grid columns are an inch wide until the user sizes them.
constexpr int kGridColumnWidth = 96;
constexpr std::size_t kBlankGridColumns = 2;
// Where a frame's caption starts, from its left edge.
constexpr int kFrameCaptionIndent = 8;
// A tab dialog's tabs: three in a row of three unless it says otherwise; the chosen one
// stands two pixels higher and wider than the rest.
constexpr int kDefaultTabs = 3;
constexpr int kTabRise = 2;
// What a drive list shows until the program runs: the first hard disk.
constexpr std::string_view kFirstDrive = "c:";
constexpr std::string_view kRootFolder = "c:\\";

// Windows 95's option button, pixel by pixel: its ring grey and black above and left, white
// and light grey below and right, around a white inside; the dot of a chosen one.
const std::vector<std::string_view> kOptionRing = {
    "    aaaa    ", "  aaccccaa  ", " acceeeecdb ", " aceeeeeedb ", "aceeeeeeeedb", "aceeeeeeeedb",
    "aceeeeeeeedb", "aceeeeeeeedb", " aceeeeeedb ", " addeeeeddb ", "  bbddddbb  ", "    bbbb    ",
};
const std::vector<std::string_view> kOptionDot = {" aa ", "aaaa", "aaaa", " aa "};
constexpr int kOptionDotOffset = 4;
// A closed folder, as the folder list shows each folder.
const std::vector<std::string_view> kFolder = {
    " aaaa        ", "abbbba       ", "aaaaaaaaaaaa ", "abbbbbbbbbba ", "abbbbbbbbbba ",
    "abbbbbbbbbba ", "abbbbbbbbbba ", "abbbbbbbbbba ", "aaaaaaaaaaaa ",
};
constexpr Rgb kFolderYellow{0xFF, 0xFF, 0x00};
constexpr int kFolderWidth = 13;

Rgb SystemColor(Palette::SystemColor color) {
  return Palette::System(color);
}

std::optional<double> NumberOf(const RunningControl& control, std::string_view name) {
  return PropertyValues::Number(control.properties, name);
}

int IntegerOf(const RunningControl& control, std::string_view name, int fallback) {
  return PropertyValues::Integer(control.properties, name, fallback);
}

std::string TextOf(const RunningControl& control, std::string_view name) {
  const formfile::FormProperty* property = FindProperty(control.properties, name);
  return property != nullptr ? property->text.str() : std::string();
}

// The kinds of control this picture knows, by base class.
enum class Kind {
  kLabel,
  kTextBox,
  kMaskedEdit,
  kComboBox,
  kListBox,
  kCheckBox,
  kOptionButton,
  kCommandButton,
  kFrame,
  kData,
  kGauge,
  kPicture,
  kImage,
  kShape,
  kLine,
  kFarPointGrid,
  kDataGrid,
  kPanel,
  kHScrollBar,
  kVScrollBar,
  kFileList,
  kFolderList,
  kDriveList,
  kTabDialog,
  kUnknown
};

struct KnownClass {
  std::string_view name;
  Kind kind;
};
constexpr KnownClass kKnownClasses[] = {
    {"Label", Kind::kLabel},
    {"TextBox", Kind::kTextBox},
    {"MaskEdBox", Kind::kMaskedEdit},
    {"ComboBox", Kind::kComboBox},
    {"DBCombo", Kind::kComboBox},
    {"ListBox", Kind::kListBox},
    {"CheckBox", Kind::kCheckBox},
    {"SSCheck", Kind::kCheckBox},
    {"OptionButton", Kind::kOptionButton},
    {"SSOption", Kind::kOptionButton},
    {"CommandButton", Kind::kCommandButton},
    {"SSCommand", Kind::kCommandButton},
    {"Frame", Kind::kFrame},
    {"SSFrame", Kind::kFrame},
    {"Data", Kind::kData},
    {"Gauge", Kind::kGauge},
    {"PictureBox", Kind::kPicture},
    {"Image", Kind::kImage},
    {"Shape", Kind::kShape},
    {"Line", Kind::kLine},
    {"SpreadSheet", Kind::kFarPointGrid},
    {"DBGrid", Kind::kDataGrid},
    {"SSPanel", Kind::kPanel},
    {"HScrollBar", Kind::kHScrollBar},
    {"VScrollBar", Kind::kVScrollBar},
    {"FileListBox", Kind::kFileList},
    {"DirListBox", Kind::kFolderList},
    {"DriveListBox", Kind::kDriveList},
    {"SSTab", Kind::kTabDialog},
};

// Controls that work unseen: they have a window only at design time. Menus show in the
// window's menu bar, not in its client area.
constexpr std::string_view kUnseenAtRunTime[] = {
    "Timer", "CommonDialog", "ImageList", "CrystalReport", "MSComm", "Comm", "Menu",
};

Kind KindOf(std::string_view class_name) {
  const std::string_view base = ControlPainter::BaseClass(class_name);
  for (const KnownClass& known : kKnownClasses) {
    if (formfile::SameName(base, known.name)) return known.kind;
  }
  return Kind::kUnknown;
}

}  // namespace

struct ControlPainter::Look {
  const RunningControl& control;
  Box box;
  Font font;
  Rgb back;
  Rgb fore;
};

std::string_view ControlPainter::BaseClass(std::string_view class_name) {
  const std::size_t dot = class_name.rfind('.');
  return dot == std::string_view::npos ? class_name : class_name.substr(dot + 1);
}

bool ControlPainter::Visible(const RunningControl& control) {
  if (IntegerOf(control, "Visible", -1) == 0) return false;
  const std::string_view base = BaseClass(control.class_name);
  return std::none_of(std::begin(kUnseenAtRunTime), std::end(kUnseenAtRunTime),
                      [base](std::string_view unseen) { return formfile::SameName(base, unseen); });
}

bool ControlPainter::Graphical(const RunningControl& control) {
  const Kind kind = KindOf(control.class_name);
  return kind == Kind::kLabel || kind == Kind::kImage || kind == Kind::kShape ||
         kind == Kind::kLine;
}

Box ControlPainter::Paint(const RunningControl& control, const Box& box, const Font& font) {
  const Kind kind = KindOf(control.class_name);
  // Fields and the data control default to the window colours, the rest to the button ones.
  const bool window_colors =
      kind == Kind::kTextBox || kind == Kind::kMaskedEdit || kind == Kind::kComboBox ||
      kind == Kind::kListBox || kind == Kind::kFileList || kind == Kind::kFolderList ||
      kind == Kind::kDriveList || kind == Kind::kData || kind == Kind::kGauge ||
      kind == Kind::kDataGrid || kind == Kind::kFarPointGrid;
  const Look look{
      control, box, font,
      Palette::Of(control.properties, "BackColor",
                  SystemColor(window_colors ? Palette::kWindow : Palette::kButtonFace)),
      Palette::Of(control.properties, "ForeColor",
                  SystemColor(window_colors ? Palette::kWindowText : Palette::kButtonText))};
  switch (kind) {
    case Kind::kLabel:
      Label(look);
      break;
    case Kind::kTextBox:
      Field(look, TextOf(control, "Text"), false);
      break;
    case Kind::kMaskedEdit:
      Field(look, TextOf(control, "Mask"), true);
      break;
    case Kind::kComboBox:
      ComboBox(look);
      break;
    case Kind::kListBox:
    case Kind::kFileList:
      Field(look, "", false);
      break;
    case Kind::kFolderList:
      FolderList(look);
      break;
    case Kind::kDriveList:
      DropDown(look, kFirstDrive);
      break;
    case Kind::kTabDialog:
      return TabDialog(look);
    case Kind::kCheckBox:
      Choice(look, false);
      break;
    case Kind::kOptionButton:
      Choice(look, true);
      break;
    case Kind::kCommandButton:
      Button(look);
      break;
    case Kind::kFrame:
      return Frame(look);
    case Kind::kData:
      DataControl(look);
      break;
    case Kind::kGauge:
      Gauge(look);
      break;
    case Kind::kPicture:
      return Picture(look);
    case Kind::kImage:
      Image(look);
      break;
    case Kind::kShape:
      FigurePainter::Shape(scene_, control, box);
      break;
    case Kind::kLine:
      FigurePainter::Line(scene_, control, box);
      break;
    case Kind::kFarPointGrid:
      Grid(look, false);
      break;
    case Kind::kDataGrid:
      Grid(look, true);
      break;
    case Kind::kPanel:
      return Panel(look);
    case Kind::kHScrollBar:
    case Kind::kVScrollBar:
      ScrollBar(look, kind == Kind::kHScrollBar);
      break;
    case Kind::kUnknown:
      Unknown(look);
      break;
  }
  return box;
}

void ControlPainter::Line(const Look& look, std::string_view text, const Box& box, int alignment,
                          Rgb color) {
  if (text.empty()) return;
  const int width = metrics_.Width(text, look.font);
  int x = box.x;
  if (alignment == 1) x = box.x + box.width - width;
  if (alignment == 2) x = box.x + (box.width - width) / 2;
  const int top = box.y + (box.height - metrics_.CellHeight(look.font)) / 2;
  scene_.Text(metrics_.Run(text, look.font, x, top, color, scene_.Visible()));
}

void ControlPainter::Label(const Look& look) {
  if (IntegerOf(look.control, "BackStyle", 1) != 0) scene_.Fill(look.box, look.back);
  if (IntegerOf(look.control, "BorderStyle", 0) != 0) Bevels::Sunken(scene_, look.box);
  const int alignment = IntegerOf(look.control, "Alignment", 0);
  const int cell = metrics_.CellHeight(look.font);
  const std::string caption = TextMetrics::Shown(TextOf(look.control, "Caption"));
  int top = look.box.y;
  for (const std::string& line : metrics_.Wrap(caption, look.font, look.box.width)) {
    Line(look, line, {look.box.x, top, look.box.width, cell}, alignment, look.fore);
    top += cell;
  }
}

void ControlPainter::Field(const Look& look, std::string_view shown, bool grey) {
  scene_.Fill(look.box, look.back);
  Bevels::Sunken(scene_, look.box);
  std::string text(shown);
  // An empty bound field shows the name of the field it is bound to, in grey.
  const Kind kind = KindOf(look.control.class_name);
  const bool list = kind == Kind::kListBox || kind == Kind::kFileList || kind == Kind::kFolderList;
  if (text.empty() && !list) {
    text = TextOf(look.control, "DataField");
    grey = true;
  }
  const Box inside = look.box.Inset(3);
  const int top = look.box.y + 2;
  Line(look, text, {inside.x, top, inside.width, metrics_.CellHeight(look.font) + 2},
       IntegerOf(look.control, "Alignment", 0), grey ? SystemColor(Palette::kGrayText) : look.fore);
}

void ControlPainter::ComboBox(const Look& look) {
  DropDown(look, TextOf(look.control, "Text"));
}

void ControlPainter::DropDown(const Look& look, std::string_view shown) {
  Field(look, shown, false);
  const Box inside = look.box.Inset(2);
  const int width = std::min(kScrollBreadth, inside.width);
  Bevels::ArrowButton(scene_, {inside.x + inside.width - width, inside.y, width, inside.height},
                      Direction::kDown);
}

void ControlPainter::Choice(const Look& look, bool round) {
  scene_.Fill(look.box, look.back);
  const int size = round ? kOptionSize : kCheckSize;
  // Alignment 1 puts the caption first and the mark at the right.
  const bool mark_right = IntegerOf(look.control, "Alignment", 0) == 1;
  const int mark_x = mark_right ? look.box.x + look.box.width - size : look.box.x;
  const int mark_y = look.box.y + (look.box.height - size) / 2;
  const int value = IntegerOf(look.control, "Value", 0);
  if (round) {
    scene_.Pixels({mark_x, mark_y}, kOptionRing,
                  {SystemColor(Palette::kButtonShadow), SystemColor(Palette::kButtonHighlight),
                   SystemColor(Palette::kDarkShadow), SystemColor(Palette::kLight),
                   SystemColor(Palette::kWindow)});
    if (value != 0) {
      scene_.Pixels({mark_x + kOptionDotOffset, mark_y + kOptionDotOffset}, kOptionDot,
                    {look.fore});
    }
  } else {
    const Box mark{mark_x, mark_y, size, size};
    scene_.Fill(mark, SystemColor(Palette::kWindow));
    Bevels::Sunken(scene_, mark);
    if (value != 0) {
      scene_.Polygon({{mark_x + 3, mark_y + 5},
                      {mark_x + 5, mark_y + 7},
                      {mark_x + 9, mark_y + 3},
                      {mark_x + 9, mark_y + 6},
                      {mark_x + 5, mark_y + 10},
                      {mark_x + 3, mark_y + 8}},
                     look.fore);
    }
  }
  const int text_width = look.box.width - size - kCaptionGap;
  const int text_x = mark_right ? look.box.x : look.box.x + size + kCaptionGap;
  Line(look, TextMetrics::Shown(TextOf(look.control, "Caption")),
       {text_x, look.box.y, text_width, look.box.height}, 0, look.fore);
}

void ControlPainter::Button(const Look& look) {
  scene_.Fill(look.box, SystemColor(Palette::kButtonFace));
  Box edge = look.box;
  if (IntegerOf(look.control, "Default", 0) != 0) {
    scene_.Edge(edge, SystemColor(Palette::kWindowFrame), SystemColor(Palette::kWindowFrame));
    edge = edge.Inset(1);
  }
  Bevels::Raised(scene_, edge);
  const std::string caption = TextMetrics::Shown(TextOf(look.control, "Caption"));
  // A graphical button (Style 1, and every three-dimensional one) shows its picture in its
  // middle, its caption beneath it at the bottom.
  const bool graphical = formfile::SameName(BaseClass(look.control.class_name), "SSCommand") ||
                         IntegerOf(look.control, "Style", 0) == 1;
  std::shared_ptr<const PictureData> picture = graphical ? PictureOf(look, "Picture") : nullptr;
  if (!picture) {
    Line(look, caption, look.box, 2, SystemColor(Palette::kButtonText));
    return;
  }
  const int cell = caption.empty() ? 0 : metrics_.CellHeight(look.font);
  scene_.Picture({look.box.x + (look.box.width - picture->width) / 2,
                  look.box.y + (look.box.height - cell - picture->height) / 2, picture->width,
                  picture->height},
                 picture);
  Line(look, caption, {look.box.x, look.box.Bottom() - cell - 3, look.box.width, cell}, 2,
       SystemColor(Palette::kButtonText));
}

std::shared_ptr<const PictureData> ControlPainter::PictureOf(const Look& look,
                                                             std::string_view property) {
  return pictures_ == nullptr ? nullptr : pictures_->Find(look.control.properties, property);
}

bool ControlPainter::DrawPicture(const Look& look, std::string_view property, Point corner) {
  std::shared_ptr<const PictureData> picture = PictureOf(look, property);
  if (!picture) return false;
  scene_.Picture({corner.x, corner.y, picture->width, picture->height}, picture);
  return true;
}

void ControlPainter::Image(const Look& look) {
  if (IntegerOf(look.control, "Stretch", 0) != 0) {
    scene_.Picture(look.box, PictureOf(look, "Picture"));
  } else {
    DrawPicture(look, "Picture", {look.box.x, look.box.y});
  }
  if (IntegerOf(look.control, "BorderStyle", 0) != 0) Bevels::Sunken(scene_, look.box);
}

void ControlPainter::FolderList(const Look& look) {
  Field(look, "", false);
  // Until the program runs, the list shows the root folder, chosen.
  const Box inside = look.box.Inset(2);
  const int row = metrics_.CellHeight(look.font) + 2;
  scene_.Fill({inside.x, inside.y, inside.width, row}, SystemColor(Palette::kHighlight));
  scene_.Pixels({inside.x + 2, inside.y + (row - static_cast<int>(kFolder.size())) / 2}, kFolder,
                {SystemColor(Palette::kWindowText), kFolderYellow});
  const int text_x = inside.x + 4 + kFolderWidth;
  Line(look, kRootFolder, {text_x, inside.y, inside.Right() - text_x, row}, 0,
       SystemColor(Palette::kHighlightText));
}

Box ControlPainter::TabDialog(const Look& look) {
  const int tabs = std::max(1, IntegerOf(look.control, "Tabs", kDefaultTabs));
  const int per_row = std::clamp(IntegerOf(look.control, "TabsPerRow", kDefaultTabs), 1, tabs);
  const int chosen = std::clamp(IntegerOf(look.control, "Tab", 0), 0, tabs - 1);
  const int rows = (tabs + per_row - 1) / per_row;
  const int height = std::max(PropertyValues::PixelsOf(look.control.properties, "TabHeight"),
                              metrics_.CellHeight(look.font) + 6);
  const Box& box = look.box;
  const int body_top = box.y + rows * height;
  const Box body{box.x, body_top, box.width, box.Bottom() - body_top};
  scene_.Fill(body, look.back);
  Bevels::Raised(scene_, body);
  // The chosen tab's row lies next to the body; the others keep their order above it.
  const int chosen_row = chosen / per_row;
  const int width = box.width / per_row;
  for (int index = 0; index < tabs; ++index) {
    const int row = index / per_row;
    const int place = row == chosen_row ? rows - 1 : (row > chosen_row ? row - 1 : row);
    Tab(look, {box.x + (index % per_row) * width, box.y + place * height, width, height}, index,
        index == chosen);
  }
  return look.box;
}

void ControlPainter::Tab(const Look& look, const Box& tab, int index, bool selected) {
  // The chosen tab stands out over its neighbours and opens into the body below it.
  const Box shown = selected ? Box{tab.x - kTabRise, tab.y - kTabRise, tab.width + 2 * kTabRise,
                                   tab.height + kTabRise + 2}
                             : Box{tab.x, tab.y + 1, tab.width, tab.height - 1};
  scene_.Fill(shown, look.back);
  const Rgb light = SystemColor(Palette::kButtonHighlight);
  scene_.Fill({shown.x + 2, shown.y, shown.width - 4, 1}, light);
  scene_.Fill({shown.x, shown.y + 2, 1, shown.height - 2}, light);
  scene_.Fill({shown.x + 1, shown.y + 1, 1, 1}, light);
  scene_.Fill({shown.Right() - 1, shown.y + 2, 1, shown.height - 2},
              SystemColor(Palette::kDarkShadow));
  scene_.Fill({shown.Right() - 2, shown.y + 1, 1, shown.height - 1},
              SystemColor(Palette::kButtonShadow));
  const std::string caption =
      TextMetrics::Shown(TextOf(look.control, fmt::format("TabCaption({})", index)));
  Line(look, caption, tab, 2, look.fore);
}

Box ControlPainter::Frame(const Look& look) {
  scene_.Fill(look.box, look.back);
  const std::string caption = TextMetrics::Shown(TextOf(look.control, "Caption"));
  const int cell = metrics_.CellHeight(look.font);
  const int groove_top = caption.empty() ? 0 : cell / 2;
  Bevels::Etched(
      scene_, {look.box.x, look.box.y + groove_top, look.box.width, look.box.height - groove_top});
  if (!caption.empty()) {
    const int x = look.box.x + kFrameCaptionIndent;
    const int width = metrics_.Width(caption, look.font);
    scene_.Fill({x - 1, look.box.y, width + 2, cell}, look.back);
    scene_.Text(metrics_.Run(caption, look.font, x, look.box.y, look.fore, scene_.Visible()));
  }
  return look.box;
}

void ControlPainter::DataControl(const Look& look) {
  scene_.Fill(look.box, look.back);
  const Box& box = look.box;
  const int button = std::clamp(box.height * 4 / 5, 1, std::max(1, box.width / 4));
  const Box first{box.x, box.y, button, box.height};
  const Box previous{box.x + button, box.y, button, box.height};
  const Box next{box.x + box.width - 2 * button, box.y, button, box.height};
  const Box last{box.x + box.width - button, box.y, button, box.height};
  Bevels::ArrowButton(scene_, first, Direction::kLeft);
  Bevels::ArrowButton(scene_, previous, Direction::kLeft);
  Bevels::ArrowButton(scene_, next, Direction::kRight);
  Bevels::ArrowButton(scene_, last, Direction::kRight);
  // The outer buttons go to the first and last record: their arrows meet a bar.
  const int bar = std::max(4, button / 3);
  const Rgb ink = SystemColor(Palette::kButtonText);
  scene_.Fill({first.x + button / 2 - bar / 2 - 2, box.y + box.height / 2 - bar / 2, 1, bar + 1},
              ink);
  scene_.Fill({last.x + button / 2 + bar / 2 + 1, box.y + box.height / 2 - bar / 2, 1, bar + 1},
              ink);
  const Box middle{previous.x + button + 3, box.y, next.x - previous.x - button - 6, box.height};
  Line(look, TextMetrics::Shown(TextOf(look.control, "Caption")), middle, 0, look.fore);
}

void ControlPainter::Gauge(const Look& look) {
  scene_.Fill(look.box, look.back);
  Bevels::Sunken(scene_, look.box);
  const double low = NumberOf(look.control, "Min").value_or(0.0);
  const double high = NumberOf(look.control, "Max").value_or(100.0);
  const double value = NumberOf(look.control, "Value").value_or(low);
  if (high <= low) return;
  const double share = std::clamp((value - low) / (high - low), 0.0, 1.0);
  const Box inside = look.box.Inset(2);
  if (IntegerOf(look.control, "Style", 0) == 1) {
    const int filled = static_cast<int>(inside.height * share);
    scene_.Fill({inside.x, inside.y + inside.height - filled, inside.width, filled}, look.fore);
  } else {
    scene_.Fill({inside.x, inside.y, static_cast<int>(inside.width * share), inside.height},
                look.fore);
  }
}

Box ControlPainter::Picture(const Look& look) {
  scene_.Fill(look.box, look.back);
  const bool border = IntegerOf(look.control, "BorderStyle", 1) != 0;
  const Box inside = border ? look.box.Inset(2) : look.box;
  DrawPicture(look, "Picture", {inside.x, inside.y});
  if (border) Bevels::Sunken(scene_, look.box);
  return inside;
}

void ControlPainter::Grid(const Look& look, bool record_selectors) {
  scene_.Fill(look.box, look.back);
  Bevels::Sunken(scene_, look.box);
  const Box inside = look.box.Inset(2);
  const int row = metrics_.CellHeight(look.font) + 4;
  const Rgb line = SystemColor(Palette::kButtonShadow);
  const int left = inside.x + (record_selectors ? kRecordSelectorWidth : 0);
  if (record_selectors) {
    scene_.Fill({inside.x, inside.y, kRecordSelectorWidth, inside.height},
                SystemColor(Palette::kButtonFace));
    scene_.Fill({left - 1, inside.y, 1, inside.height}, line);
  }
  for (int y = inside.y + row; y < inside.y + inside.height; y += row) {
    scene_.Fill({inside.x, y - 1, inside.width, 1}, line);
  }
  std::vector<std::string> headings = GridColumns::Named(code_, look.control.name);
  // Until its code names them, a grid shows the blank columns it has when it is placed.
  if (headings.empty()) headings.resize(kBlankGridColumns);
  int x = left;
  for (const std::string& heading : headings) {
    const Box header{x, inside.y, kGridColumnWidth, row};
    scene_.Fill(header, SystemColor(Palette::kButtonFace));
    Bevels::Raised(scene_, header);
    Line(look, heading, header.Inset(3), 0, SystemColor(Palette::kButtonText));
    scene_.Fill({x + kGridColumnWidth - 1, inside.y + row, 1, inside.height - row}, line);
    x += kGridColumnWidth;
  }
}

Box ControlPainter::Panel(const Look& look) {
  scene_.Fill(look.box, look.back);
  if (IntegerOf(look.control, "BevelOuter", 2) != 0) {
    scene_.Edge(look.box, SystemColor(Palette::kButtonHighlight),
                SystemColor(Palette::kButtonShadow));
  }
  Line(look, TextMetrics::Shown(TextOf(look.control, "Caption")), look.box, 2, look.fore);
  return look.box;
}

void ControlPainter::ScrollBar(const Look& look, bool horizontal) {
  const Box& box = look.box;
  // The track is white and grey in alternate pixels.
  scene_.Dither(box, SystemColor(Palette::kButtonHighlight), SystemColor(Palette::kButtonFace));
  const int breadth = horizontal ? box.height : box.width;
  const int length = horizontal ? box.width : box.height;
  const int button = std::min(breadth, length / 2);
  if (horizontal) {
    Bevels::ArrowButton(scene_, {box.x, box.y, button, box.height}, Direction::kLeft);
    Bevels::ArrowButton(scene_, {box.x + box.width - button, box.y, button, box.height},
                        Direction::kRight);
  } else {
    Bevels::ArrowButton(scene_, {box.x, box.y, box.width, button}, Direction::kUp);
    Bevels::ArrowButton(scene_, {box.x, box.y + box.height - button, box.width, button},
                        Direction::kDown);
  }
  if (length <= 3 * button) return;
  // The thumb rests at the start, where the value is at its minimum.
  const Box thumb = horizontal ? Box{box.x + button, box.y, button, box.height}
                               : Box{box.x, box.y + button, box.width, button};
  scene_.Fill(thumb, SystemColor(Palette::kButtonFace));
  Bevels::RaisedScroll(scene_, thumb);
}

void ControlPainter::Unknown(const Look& look) {
  scene_.Fill(look.box, SystemColor(Palette::kButtonFace));
  scene_.Edge(look.box, SystemColor(Palette::kWindowFrame), SystemColor(Palette::kWindowFrame));
  Line(look, look.control.class_name, look.box.Inset(2), 0, SystemColor(Palette::kButtonText));
}

}  // namespace tavik::preview
