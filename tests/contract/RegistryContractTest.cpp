// Registry reads: raw value bytes of any type and length, default values,
// missing keys and values, and names that compare without case.
#include "tests/contract/ContractTest.h"

namespace contract {
namespace {

using plat::RegRoot;

class RegistryContract : public ContractTest {
 protected:
  std::string Key(const std::string& below = {}) {
    return below.empty() ? Env().RegTestKey() : Env().RegTestKey() + "\\" + below;
  }
  std::optional<plat::RegValue> Query(const std::string& subKey, const std::string& name) {
    return P().RegQueryValue(RegRoot::CurrentUser, subKey, name);
  }
};

TEST_F(RegistryContract, StringValueComesWithItsTerminatingZero) {
  Env().RegWrite(Key(), "Path", plat::kRegSz, std::string("C:\\Velmora\0", 11));
  auto value = Query(Key(), "Path");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegSz);
  EXPECT_EQ(value->data, std::string("C:\\Velmora\0", 11));
}

TEST_F(RegistryContract, StringValueWrittenWithoutZeroComesWithout) {
  Env().RegWrite(Key(), "Bare", plat::kRegSz, "no zero");
  auto value = Query(Key(), "Bare");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegSz);
  EXPECT_EQ(value->data, "no zero");
}

TEST_F(RegistryContract, DwordValueGivesItsFourRawBytes) {
  Env().RegWrite(Key(), "Number", plat::kRegDword, std::string("\x06\x00\x01\x80", 4));
  auto value = Query(Key(), "Number");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegDword);
  EXPECT_EQ(value->data, std::string("\x06\x00\x01\x80", 4));
}

TEST_F(RegistryContract, OtherTypesGiveTheirRawBytes) {
  const std::string binary("\x00\xff\x10\x00\x7f", 5);
  Env().RegWrite(Key(), "Binary", plat::kRegBinary, binary);
  Env().RegWrite(Key(), "Empty", plat::kRegBinary, "");
  Env().RegWrite(Key(), "Expand", plat::kRegExpandSz, std::string("%WINDIR%\\x\0", 11));
  Env().RegWrite(Key(), "Multi", plat::kRegMultiSz, std::string("one\0two\0\0", 9));

  auto value = Query(Key(), "Binary");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegBinary);
  EXPECT_EQ(value->data, binary);
  value = Query(Key(), "Empty");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, "");
  value = Query(Key(), "Expand");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegExpandSz);
  EXPECT_EQ(value->data, std::string("%WINDIR%\\x\0", 11));
  value = Query(Key(), "Multi");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, plat::kRegMultiSz);
  EXPECT_EQ(value->data, std::string("one\0two\0\0", 9));
}

TEST_F(RegistryContract, LongValueIsReturnedWhole) {
  std::string text;
  for (int i = 0; text.size() < 1000; ++i) text += "segment" + std::to_string(i) + "\\";
  text.push_back('\0');
  Env().RegWrite(Key(), "Long", plat::kRegSz, text);
  const std::string binary(5000, '\x5a');
  Env().RegWrite(Key(), "LongBinary", plat::kRegBinary, binary);

  auto value = Query(Key(), "Long");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, text);
  value = Query(Key(), "LongBinary");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, binary);
}

TEST_F(RegistryContract, EmptyNameReadsTheDefaultValue) {
  Env().RegMakeKey(Key("NoDefault"));
  Env().RegWrite(Key("WithDefault"), "", plat::kRegSz, std::string("5.0\0", 4));
  Env().RegWrite(Key("WithDefault"), "Named", plat::kRegSz, std::string("other\0", 6));

  auto value = Query(Key("WithDefault"), "");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, std::string("5.0\0", 4));
  EXPECT_FALSE(Query(Key("NoDefault"), "").has_value());
}

TEST_F(RegistryContract, MissingKeysAndValuesGiveNothing) {
  Env().RegWrite(Key(), "Present", plat::kRegSz, std::string("x\0", 2));
  EXPECT_FALSE(Query(Key(), "Absent").has_value());
  EXPECT_FALSE(Query(Key("Missing"), "Present").has_value());
  EXPECT_FALSE(Query(Key("Missing\\Deeper"), "").has_value());
  EXPECT_FALSE(P().RegKeyExists(RegRoot::CurrentUser, Key("Missing")));
}

TEST_F(RegistryContract, KeyExistsForTheKeyAndItsParents) {
  Env().RegMakeKey(Key("Outer\\Inner"));
  EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, Key("Outer\\Inner")));
  EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, Key("Outer")));
  EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, Key()));
  // The same path under another root is another key.
  EXPECT_FALSE(P().RegKeyExists(RegRoot::LocalMachine, Key("Outer\\Inner")));
}

TEST_F(RegistryContract, KeyAndValueNamesCompareWithoutCase) {
  Env().RegWrite(Key("MixedCase"), "ValueName", plat::kRegSz, std::string("found\0", 6));
  const std::string upper = [&] {
    std::string k = Key("MixedCase");
    for (char& c : k)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return k;
  }();
  EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, upper));
  EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, Lowered(Key("MixedCase"))));
  auto value = Query(upper, "valuename");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, std::string("found\0", 6));
}

}  // namespace
}  // namespace contract
