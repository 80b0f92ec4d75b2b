/*
 * Test cases kept as files: the cases of a folder of tests/data (one a file
 * of a given ending), their test names, and whether expected files are to
 * be written rather than compared.
 */
#ifndef QUILLORA_TEST_DATA_CASES_H
#define QUILLORA_TEST_DATA_CASES_H

#include <gtest/gtest.h>

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace quillora_test {

// The names of the files of `folder` that end in `ending`, without it,
// sorted.
inline std::vector<std::string>
DataCases(const std::string& folder, const std::string& ending)
{
	std::vector<std::string> names;
	for (const std::string& file : ListDirectory(folder)) {
		if (file.size() > ending.size() && file.compare(file.size()
				- ending.size(), ending.size(), ending) == 0)
			names.push_back(file.substr(0, file.size() - ending.size()));
	}
	std::sort(names.begin(), names.end());
	return names;
}


// A test name for a case: its name with every byte that is no letter or
// digit as '_'.
inline std::string
DataCaseName(const testing::TestParamInfo<std::string>& info)
{
	std::string name = info.param;
	std::replace_if(name.begin(), name.end(),
		[](char c) { return !isalnum((unsigned char)c); }, '_');
	return name;
}


// Whether the environment variable `name` asks for the expected files to be
// written after an intended change: set, and neither empty nor "0".
inline bool
RewritingExpected(const char* name)
{
	const char* value = getenv(name);
	return value != nullptr && *value != '\0' && strcmp(value, "0") != 0;
}

}	// namespace quillora_test

#endif	// QUILLORA_TEST_DATA_CASES_H
