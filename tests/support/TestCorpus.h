#pragma once
// The real metafiles the corpus tests read: the folder GLYPHAR_CORPUS names.

#include <filesystem>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Nothing when GLYPHAR_CORPUS is unset or empty.
std::optional<std::filesystem::path> TestCorpusFolder();
// Every .emf, .wmf and .clp file of that folder, sorted; empty without one.
std::vector<std::filesystem::path> TestCorpusFiles();
// The whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);
// Makes the file hold exactly these bytes.
void WriteBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
