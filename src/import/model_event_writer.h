// The text of a model file written member by member, each member handed to the model reader too.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "brenlo/model_parser.h"
#include "import/model_text_writer.h"

namespace tavik::import {

// Writes a model's text with ModelTextWriter and hands the reader every member as the event
// reading that text gives it, in the same pass: the reader's verdict on the text is had
// without reading the text again. A string is handed over as it is, not as its escaped
// text reads back: the two differ only for a text that is not valid UTF-8, which the reader
// refuses either way.
class ModelEventWriter {
 public:
  ModelEventWriter(std::string& out, brenlo::ModelParser& reader) : text_(out), reader_(reader) {}

  void Open(std::string_view name, std::size_t members = 0) {
    text_.Open(name, members);
    Key(name);
    if (reading_) reading_ = reader_.OnOpen(true);
    lists_.push_back(false);
  }
  void OpenList(std::string_view name, std::size_t elements = 0) {
    text_.OpenList(name, elements);
    Key(name);
    if (reading_) reading_ = reader_.OnOpen(false);
    lists_.push_back(true);
  }
  void Close() {
    text_.Close();
    lists_.pop_back();
    if (reading_) reading_ = reader_.OnClose();
  }
  void CloseList() {
    text_.CloseList();
    lists_.pop_back();
    if (reading_) reading_ = reader_.OnClose();
  }

  void Member(std::string_view name, std::string_view text) {
    text_.Member(name, text);
    Key(name);
    if (reading_) reading_ = reader_.OnString(text);
  }
  void Member(std::string_view name, const std::string& text) {
    Member(name, std::string_view(text));
  }
  void Member(std::string_view name, const char* text) { Member(name, std::string_view(text)); }
  template <std::integral Whole>
  void Member(std::string_view name, Whole number) {
    text_.Member(name, number);
    Key(name);
    if (!reading_) return;
    if constexpr (std::is_signed_v<Whole>) {
      reading_ = reader_.number_integer(static_cast<std::int64_t>(number));
    } else {
      reading_ = reader_.number_unsigned(static_cast<std::uint64_t>(number));
    }
  }

  // False once the reader stopped reading for good (a value it could not go on after).
  bool reading() const { return reading_; }

 private:
  // The member's name, in an object; the elements of a list and the document have none.
  void Key(std::string_view name) {
    if (!reading_ || lists_.empty() || lists_.back()) return;
    reading_ = reader_.OnKey(name);
  }

  ModelTextWriter text_;
  brenlo::ModelParser& reader_;
  std::vector<bool> lists_;  // of the open containers, whether each is a list
  bool reading_ = true;
};

}  // namespace tavik::import
