#include "model/fields.h"

#include <stdexcept>
#include <string>

namespace model {
namespace {

// The table is data that the codecs trust: check its shape once, here.
constexpr bool WellFormed() {
  std::array<bool, kFieldCount> rank_seen{};
  for (const Field& f : kFields) {
    if (f.profile_rank >= kFieldCount || rank_seen[f.profile_rank]) return false;
    rank_seen[f.profile_rank] = true;
    const bool text_field = f.image == ImageForm::ByteText || f.image == ImageForm::SmsText;
    if (text_field != (f.width > 0)) return false;
    if ((f.image == ImageForm::Packed) != (f.mask != 0)) return false;
    if (f.kind == Kind::Index && f.items.empty()) return false;
    if (text_field || f.image == ImageForm::Number || f.image == ImageForm::Time) {
      if (f.kind != Kind::Text) return false;
    }
    if ((f.image == ImageForm::Flag) && f.kind != Kind::Flag) return false;
    if ((f.image == ImageForm::Index) && f.kind != Kind::Index) return false;
    if (size_t(f.address) + f.width > 65536) return false;
  }
  return true;
}
static_assert(WellFormed());

}  // namespace

FieldId FieldNamed(std::string_view control) {
  for (size_t i = 0; i < kFieldCount; ++i)
    if (control == kFields[i].control) return FieldId(i);
  throw std::out_of_range("no setting is shown by " + std::string(control));
}

}  // namespace model
