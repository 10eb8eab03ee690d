#include "ui/app/session.h"

#include "ui/parameter/form1.h"

namespace ui {

Session::Session() : form1_(std::make_unique<Form1>(*this)) {}

Session::~Session() = default;

}  // namespace ui
