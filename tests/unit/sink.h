// Out.Put value: a host object that records what a test script computed.
#pragma once

#include <vector>

#include "objects.h"

namespace pwtest {

class Sink final : public pw::Object {
 public:
  int32_t getIdOfName(pw::u16v name) override { return name == u"Put" ? 1 : pw::DISPID_UNKNOWN; }
  pw::Variant invoke(int32_t, pw::InvokeKind, pw::Args a) override {
    values.push_back(a.size() ? a[0] : pw::Variant());
    return pw::Variant();
  }
  pw::u16 typeName() const override { return u"Sink"; }
  std::vector<pw::Variant> values;
};

}  // namespace pwtest
