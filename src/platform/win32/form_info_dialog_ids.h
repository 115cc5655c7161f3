// The items of the form-information dialog (template 201).
#pragma once

namespace tavik::form_info_items {

constexpr int kTemplate = 201;
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kBrowse = 3;
constexpr int kGroupBox = 1004;
constexpr int kPrompt = 1016;
constexpr int kHeading = 1019;
constexpr int kFilespecLabel = 1005;
constexpr int kConnect = 1014;
constexpr int kDatabase = 1015;
constexpr int kFormName = 1017;
constexpr int kCaption = 1018;
constexpr int kFilespec = 1020;

}  // namespace tavik::form_info_items
