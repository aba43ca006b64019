#include "engine/catalogue_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "engine/catalogue_reader.h"

namespace quillmere {

namespace {

namespace fs = std::filesystem;

// The text of a catalogue file, or the message why it cannot be read.
struct FileText {
    std::optional<std::string> text;
    std::string problem;  // empty with no text: an optional file that is not there
};

FileText readText(const CatalogueFile& file) {
    const std::string name = file.path.string();
    std::error_code error;
    const fs::file_status status = fs::status(file.path, error);
    if (status.type() == fs::file_type::not_found) {
        if (file.required) return {std::nullopt, "no such file"};
        return {};
    }
    if (error) return {std::nullopt, error.message()};
    if (fs::is_directory(status)) return {std::nullopt, "is a folder, not a catalogue file"};
    if (!fs::is_regular_file(status)) return {std::nullopt, "not a regular file"};
    const std::string tooLarge = "larger than " + std::to_string(kCatalogueFileMaxBytes) + " bytes";
    const std::uintmax_t size = fs::file_size(file.path, error);
    if (error) return {std::nullopt, error.message()};
    if (size > kCatalogueFileMaxBytes) return {std::nullopt, tooLarge};

    std::FILE* stream = std::fopen(name.c_str(), "rb");
    if (!stream) return {std::nullopt, std::error_code(errno, std::generic_category()).message()};
    // The file may have grown since its size was taken: read no more than one byte past the limit.
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::size_t read = 0;
    for (;;) {
        read += std::fread(text.data() + read, 1, text.size() - read, stream);
        if (read < text.size() || read > kCatalogueFileMaxBytes) break;
        text.resize(std::min<std::size_t>(text.size() * 2, kCatalogueFileMaxBytes + 1));
    }
    const bool failed = std::ferror(stream) != 0;
    std::fclose(stream);
    if (failed) return {std::nullopt, "could not be read"};
    if (read > kCatalogueFileMaxBytes) return {std::nullopt, tooLarge};
    text.resize(read);
    return {std::move(text), {}};
}

void addFile(CatalogueLoad& load, const CatalogueFile& file) {
    const std::string name = file.path.string();
    const FileText read = readText(file);
    std::vector<CatalogueMessage> messages;
    if (!read.text) {
        if (read.problem.empty()) return;
        messages.push_back({name, "", read.problem});
    } else {
        messages = CatalogueBuilder::add(load.catalogue, *read.text, name, name);
    }
    if (messages.empty()) return;
    load.refusedFiles.push_back(name);
    load.messages.insert(load.messages.end(), messages.begin(), messages.end());
}

}  // namespace

std::string CatalogueMessage::text() const {
    std::string out = file;
    for (const std::string* part : {&entry, &problem})
        if (!part->empty()) out += (out.empty() ? "" : ": ") + *part;
    return out;
}

std::optional<fs::path> userCatalogueFolder(const char* xdgConfigHome, const char* home) {
    // A relative XDG_CONFIG_HOME is to be ignored, as if unset.
    if (xdgConfigHome && *xdgConfigHome && fs::path(xdgConfigHome).is_absolute())
        return fs::path(xdgConfigHome) / "quillmere";
    if (home && *home) return fs::path(home) / ".config" / "quillmere";
    return std::nullopt;
}

std::optional<fs::path> userCatalogueFolder() {
    return userCatalogueFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::vector<CatalogueFile> userCatalogueFiles(const fs::path& folder) {
    return {{folder / "cores.json", false}, {folder / "materials.json", false}};
}

CatalogueLoad loadCatalogue(const std::vector<CatalogueFile>& files) {
    CatalogueLoad load{CoreCatalogue::builtIn(), {}, {}};
    for (const CatalogueFile& file : files) addFile(load, file);
    return load;
}

CatalogueLoad addCatalogueText(const CoreCatalogue& base, std::string_view text, std::string_view fileName) {
    CatalogueLoad load{base, {}, {}};
    load.messages = CatalogueBuilder::add(load.catalogue, text, fileName, fileName);
    if (!load.messages.empty()) load.refusedFiles.emplace_back(fileName);
    return load;
}

}  // namespace quillmere
