// Registry reads: raw value bytes of any type and length, default values,
// missing keys and values, and names that compare without case.
#include <cctype>

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

TEST_F(RegistryContract, ValuesOfEveryTypeAndLengthComeBackAsTheirExactBytes) {
  struct Row {
    const char* name;
    std::uint32_t type;
    std::string data;
  };
  // A string comes with its terminating zero only when it was written with
  // one; an expandable string comes back unexpanded; values longer than a
  // path come back whole.
  const Row rows[] = {{"Path", plat::kRegSz, std::string("C:\\Velmora\0", 11)},
                      {"Bare", plat::kRegSz, "no zero"},
                      {"Number", plat::kRegDword, std::string("\x06\x00\x01\x80", 4)},
                      {"Empty", plat::kRegBinary, ""},
                      {"Expand", plat::kRegExpandSz, std::string("%WINDIR%\\x\0", 11)},
                      {"Multi", plat::kRegMultiSz, std::string("one\0two\0\0", 9)},
                      {"LongBinary", plat::kRegBinary, std::string(5000, '\xff')}};
  for (const Row& row : rows) Env().RegWrite(Key(), row.name, row.type, row.data);
  for (const Row& row : rows) {
    auto value = Query(Key(), row.name);
    ASSERT_TRUE(value.has_value()) << row.name;
    EXPECT_EQ(value->type, row.type) << row.name;
    EXPECT_EQ(value->data, row.data) << row.name;
  }
}

TEST_F(RegistryContract, DefaultValuesMissingKeysAndNamesWithoutCase) {
  Env().RegWrite(Key("NoDefault"), "Named", plat::kRegSz, std::string("other\0", 6));
  Env().RegWrite(Key("WithDefault"), "", plat::kRegSz, std::string("5.0\0", 4));
  Env().RegWrite(Key("Outer\\Inner"), "ValueName", plat::kRegSz, std::string("found\0", 6));
  auto value = Query(Key("WithDefault"), "");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, std::string("5.0\0", 4));
  EXPECT_FALSE(Query(Key("NoDefault"), "").has_value());

  EXPECT_FALSE(Query(Key("Missing"), "Named").has_value());
  EXPECT_FALSE(P().RegKeyExists(RegRoot::CurrentUser, Key("Missing")));
  // The same path under another root is another key.
  EXPECT_FALSE(P().RegKeyExists(RegRoot::LocalMachine, Key("Outer\\Inner")));

  std::string upper = Key("Outer\\Inner");
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const std::string& key : {Key("Outer"), upper, Lowered(upper)})
    EXPECT_TRUE(P().RegKeyExists(RegRoot::CurrentUser, key)) << key;
  value = Query(upper, "valuename");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->data, std::string("found\0", 6));
}

}  // namespace
}  // namespace contract
