// The traps the checker knows, each with a stable id that the machine
// formats carry ("key-case"), and a one-line description.
#pragma once

#include <cstddef>
#include <vector>

namespace checker {

enum class Rule {
  Utf16File,
  HeaderLookalike,
  BeforeFirstHeader,
  KeyCase,
  KeyInvisibleBlank,
  KeyNoEquals,
  KeyWrongSection,
  KeyUnknown,
  EndOfLineComment,
  TabInValue,
  KeyTwice,
  DialogKeyInCapsule,
  CapsuleKeyInMain,
  UnusedKeys,
  HeaderCase,
  HeaderMisspelt,
  HeaderUnknownInMain,
  SectionUnread,
  PackagesInCapsule,
  CapsuleFileMissing,
  IconMissing,
  DescriptionMissing,
  SoundMissing,
  MoreInfoTargetMissing,
  MoreInfoQuoted,
  TitleDuplicate,
  TitleEmpty,
  DisabledValue,
  DisclaimerNotNumber,
  HeightDistance,
  RegistryRoot,
  RunComma,
  RunMissing,
  UnknownMacro,
  TokenEmpty,
  TokenSectionIncomplete,
  TokenSectionUnnamed,
  Run1Run2,
  OrderMessage,
  VersionUnparsable,
  VersionKeys,
  JolietName,
  MainFileMissing,
  RegistryExport,
};

struct RuleInfo {
  Rule rule;
  const char* id;
  const char* description;
};

// Every rule, in the order the machine formats list them.
const std::vector<RuleInfo>& AllRules();
const RuleInfo& Describe(Rule rule);

}  // namespace checker
