// SPDX-License-Identifier: MIT
// CliContext::Language: the language definition that the settings file gives for an entry.
#include "cli/cli_context.h"

#include "core/language/language_store.h"

namespace korvexer::cli {

Expected<LanguageDefinition> CliContext::Language(int index) {
    Expected<ProfileStore> settings = Settings();
    if (!settings) return settings.error();
    LanguageDefinition record;
    LoadLanguageDefinition(index, record, &*settings);
    return record;
}

}  // namespace korvexer::cli
