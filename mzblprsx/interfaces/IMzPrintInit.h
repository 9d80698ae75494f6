// Set-up of a print object by the host's print service: what to print and the fonts.
//
//   auto init = platform::CreateObjectAs<IMzPrintInit>("mzblprsx.RgPrjPrintObjectDetails");
//   init->SetRgObject(program, project, "");
//   init->SetPropFont("DejaVu Sans", 9, false, false);
//   auto pages = init.As<IMzPrintNavigate>();
#pragma once

#include <string>

#include "mzblprsx/interfaces/Types.h"

namespace mzblprsx {

class IMzPrintInit : public virtual platform::Object {
 public:
  /// The object to print and its parent; fills the print table.
  virtual void SetRgObject(Ref<Object> object, Ref<Object> parent, const std::string& options) = 0;
  virtual void SetAktOptiones(const std::string& options) = 0;
  /// The proportional font: its name and three further values (size, bold, italic).
  virtual void SetPropFont(const std::string& name, const Variant& size, const Variant& bold,
                           const Variant& italic) = 0;
  virtual void SetNonPropFont(const std::string& name) = 0;
  /// Nothing: the print object draws no metafile.
  virtual Variant GetMetaFile() = 0;
};

}  // namespace mzblprsx
