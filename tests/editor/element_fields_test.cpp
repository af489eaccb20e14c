#include "editor/element_fields.h"

#include <gtest/gtest.h>

#include "foundation/qsim_error.h"

namespace qsim {
namespace {

const NumberFormat kComma{','};

TEST(ElementFieldsTest, AnUnusedGeneratorSlotOpensEmpty) {
  const GeneratorFields fields = FieldsOf(GeneratorRecord{}, kComma);
  EXPECT_EQ(fields.la, "0");
  EXPECT_EQ(fields.distribution, 0);
  EXPECT_EQ(fields.disp, "0");
  EXPECT_EQ(fields.prior, "0");
  EXPECT_EQ(fields.name, "");
}

TEST(ElementFieldsTest, RealsUseTheDecimalSeparatorAndLawsOutsideTheListShowNone) {
  DeviceRecord d;
  d.v = 0.5;
  d.rasp = 9;
  const DeviceFields fields = FieldsOf(d, kComma);
  EXPECT_EQ(fields.v, "0,5");
  EXPECT_EQ(fields.distribution, -1);
}

TEST(ElementFieldsTest, ABadFieldStoresNothing) {
  GeneratorRecord g;
  g.name.assign("old");
  GeneratorFields fields{"4", 3, "x", "2", "new"};
  EXPECT_THROW(StoreFields(g, fields, kComma), QsimError);
  EXPECT_EQ(g.name.view(), "old");
  EXPECT_EQ(g.la, 0);
  fields.disp = "0,5";
  fields.name = "abcdefghijklmnopqrstuvwxyz01234";
  StoreFields(g, fields, kComma);
  EXPECT_EQ(g.la, 4);
  EXPECT_EQ(g.rasp, 3);
  EXPECT_EQ(g.disp, 0.5);
  EXPECT_EQ(g.prior, 2);
  EXPECT_EQ(g.name.view(), "abcdefghijklmnopqrstuvwxy");
}

// The first field that does not convert, in the order the fields are stored.
TEST(ElementFieldsTest, FirstFaultNamesTheFieldAndTheMessage) {
  struct Case {
    GeneratorFields generator;
    DeviceFields device;
    DialogField generator_field;
    DialogField device_field;
    std::string message;
  };
  const Case cases[] = {
      {{"x", 0, "y", "0", ""},
       {"x", "y", 0, "z", ""},
       DialogField::La,
       DialogField::V,
       "'x' is not a valid floating point value"},
      {{"1", -1, "y", "0", ""}, {"1", "y", -1, "z", ""}, DialogField::Rasp, DialogField::Disp, ""},
      {{"1", 0, "y", "z", ""}, {"1", "2", -1, "z", ""}, DialogField::Disp, DialogField::Rasp, ""},
      {{"1", 0, "2", "z", ""},
       {"1", "2", 0, "z", ""},
       DialogField::Prior,
       DialogField::K,
       "'z' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    const auto generator = FirstFault(c.generator, kComma);
    const auto device = FirstFault(c.device, kComma);
    ASSERT_TRUE(generator && device);
    EXPECT_EQ(generator->field, c.generator_field);
    EXPECT_EQ(device->field, c.device_field);
    if (!c.message.empty()) {
      EXPECT_EQ(generator->message, c.message);
    }
  }
  EXPECT_EQ(FirstFault(QueueFields{"q", 0, ""})->field, DialogField::Len);
  EXPECT_FALSE(FirstFault(GeneratorFields{"1", 4, "0,5", "2", ""}, kComma));
  EXPECT_FALSE(FirstFault(DeviceFields{"1", "2", 0, "1", ""}, kComma));
  EXPECT_FALSE(FirstFault(QueueFields{"7", std::nullopt, ""}));
}

TEST(ElementFieldsTest, QueueDisciplineIsKeptWhenNoButtonIsChecked) {
  QueueRecord q;
  q.discip = 2;
  EXPECT_EQ(FieldsOf(q).discipline, 2);
  StoreFields(q, {"7", std::nullopt, "Q"});
  EXPECT_EQ(q.discip, 2);
  EXPECT_EQ(q.len, 7);
  q.discip = 9;
  EXPECT_FALSE(FieldsOf(q).discipline);
  StoreFields(q, {"7", 1, "Q"});
  EXPECT_EQ(q.discip, 1);
}

TEST(ElementFieldsTest, DeviceFieldsAllOrNone) {
  DeviceRecord d;
  EXPECT_THROW(StoreFields(d, {"1,5", "bad", 4, "3", "D"}, kComma), QsimError);
  EXPECT_EQ(d.name.view(), "");
  EXPECT_EQ(d.v, 0);
  StoreFields(d, {"1,5", "0,1", 4, "3", "D"}, kComma);
  EXPECT_EQ(d.rasp, 4);
  EXPECT_EQ(d.k, 3);
}

}  // namespace
}  // namespace qsim
