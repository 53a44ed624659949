#include "checker/Rules.h"

namespace checker {

const std::vector<RuleInfo>& AllRules() {
  static const std::vector<RuleInfo> rules = {
      {Rule::Utf16File, "utf16-file", "A file saved as UTF-16: no line can be read"},
      {Rule::HeaderLookalike, "header-lookalike", "A line that looks like a header but is none"},
      {Rule::BeforeFirstHeader, "before-first-header", "Lines before a file's first header"},
      {Rule::KeyCase, "key-case", "A key name in the wrong letter case: it sets nothing"},
      {Rule::KeyInvisibleBlank, "key-invisible-blank",
       "An invisible character before or after a key name: it sets nothing"},
      {Rule::KeyNoEquals, "key-no-equals", "A key line without \"=\", or a line taken for a comment"},
      {Rule::KeyWrongSection, "key-wrong-section", "A known key in a section where it has no effect"},
      {Rule::KeyUnknown, "key-unknown", "A line that names no key: it is ignored"},
      {Rule::EndOfLineComment, "end-of-line-comment", "A \";\" after a value is part of the value"},
      {Rule::TabInValue, "tab-in-value", "A TAB inside a value is deleted, not turned into a blank"},
      {Rule::KeyTwice, "key-twice", "A key set twice in one file: the last line wins"},
      {Rule::DialogKeyInCapsule, "dialog-key-in-capsule", "A dialog-wide key in a capsule file"},
      {Rule::CapsuleKeyInMain, "capsule-key-in-main", "A per-capsule key in the main file: capsule 0 only"},
      {Rule::UnusedKeys, "unused-keys", "A key that is kept but never used"},
      {Rule::HeaderCase, "header-case", "A header in the wrong letter case or with blanks: another header"},
      {Rule::HeaderMisspelt, "header-misspelt", "An unknown or misspelt header: its lines are ignored"},
      {Rule::HeaderUnknownInMain, "header-unknown-in-main", "An unknown header in the main file"},
      {Rule::SectionUnread, "section-unread", "A section that nothing reads"},
      {Rule::PackagesInCapsule, "packages-in-capsule", "[Packages] entries in a capsule file: never shown"},
      {Rule::CapsuleFileMissing, "capsule-file-missing",
       "A [Packages] entry whose capsule file is missing: no later capsule is shown"},
      {Rule::IconMissing, "icon-missing", "A capsule without a readable icon: later icons shift"},
      {Rule::DescriptionMissing, "description-missing", "A capsule without its .rtf description"},
      {Rule::SoundMissing, "sound-missing", "A capsule without its .wav while others have one"},
      {Rule::MoreInfoTargetMissing, "moreinfo-target-missing",
       "A MoreInfo link whose target is missing, or whose title or target is not set"},
      {Rule::MoreInfoQuoted, "moreinfo-quoted", "MoreInfoRun in double quotes: the link stays hidden"},
      {Rule::TitleDuplicate, "title-duplicate",
       "Two capsules with the same Title: the later is never selected"},
      {Rule::TitleEmpty, "title-empty", "A capsule without a Title: no tree item"},
      {Rule::DisabledValue, "disabled-value", "Disabled other than 1: the Install button stays enabled"},
      {Rule::DisclaimerNotNumber, "disclaimer-not-number", "Disclaimer that is not a number"},
      {Rule::HeightDistance, "height-distance", "Height or Distance that are not numbers"},
      {Rule::RegistryRoot, "registry-root", "A registry path whose root is not recognised"},
      {Rule::RunComma, "run-comma", "A Run without a macro that holds a comma or quotes: nothing starts"},
      {Rule::RunMissing, "run-missing", "A Run that starts nothing, or not as written"},
      {Rule::UnknownMacro, "unknown-macro", "A macro in the wrong case or unknown: it stays in the text"},
      {Rule::TokenEmpty, "token-empty", "A token macro whose token is empty: it is removed"},
      {Rule::TokenSectionIncomplete, "token-section-incomplete",
       "A token section that is missing, or lacks Key or Value"},
      {Rule::TokenSectionUnnamed, "token-section-unnamed", "A registry section named by no token"},
      {Rule::Run1Run2, "run1-run2", "Run1 or Run2 that start nothing, or pause otherwise than written"},
      {Rule::OrderMessage, "order-message", "An order message or URL that is not used as written"},
      {Rule::VersionUnparsable, "version-unparsable",
       "A Version that does not parse for the file check, or File ending in \",test\""},
      {Rule::VersionKeys, "version-keys", "Version check keys that do nothing together"},
      {Rule::JolietName, "joliet-name", "A file or folder name that does not survive Joliet"},
      {Rule::MainFileMissing, "main-file-missing", "No main file in the data folder"},
      {Rule::RegistryExport, "registry-export", "A line of the --registry export that cannot be read"},
  };
  return rules;
}

const RuleInfo& Describe(Rule rule) {
  for (const RuleInfo& info : AllRules())
    if (info.rule == rule) return info;
  // Every rule has its line above.
  return AllRules().front();
}

}  // namespace checker
