/*
 * A plain driver for the fuzz targets: runs a target's entry point over
 * files and folders of inputs (every file in a folder, in name order), so
 * the seed corpora and the inputs of past findings run in any build. With
 * --hostile it first runs the large hostile pages, made here rather than kept
 * in the tree; --write-hostile DIR writes them as files to seed a fuzzer.
 */
#include <dirent.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "FuzzPage.h"
#include "HostileInputs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

void
Collect(const std::string& path, std::vector<std::string>& files)
{
	struct stat info;
	if (stat(path.c_str(), &info) != 0) {
		fprintf(stderr, "replay: no such input: %s\n", path.c_str());
		exit(2);
	}
	if (!S_ISDIR(info.st_mode)) {
		files.push_back(path);
		return;
	}
	std::vector<std::string> names;
	if (DIR* folder = opendir(path.c_str())) {
		while (dirent* entry = readdir(folder)) {
			if (entry->d_name[0] != '.')
				names.push_back(entry->d_name);
		}
		closedir(folder);
	}
	std::sort(names.begin(), names.end());
	for (const std::string& name : names)
		Collect(path + "/" + name, files);
}


void
Run(const std::string& name, const std::string& input)
{
	fprintf(stderr, "replay: %s (%zu bytes)", name.c_str(), input.size());
	auto start = std::chrono::steady_clock::now();
	LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()),
		input.size());
	std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
	fprintf(stderr, " %.2f s\n", took.count());
}

}	// namespace


int
main(int argc, char** argv)
{
	std::vector<std::string> files;
	bool hostile = false;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--hostile") == 0)
			hostile = true;
		else if (strcmp(argv[i], "--write-hostile") == 0 && i + 1 < argc) {
			std::string folder = argv[++i];
			for (const auto& input : quillora_fuzz::HostileInputs()) {
				std::string path = folder + "/" + input.first;
				if (!quillora_fuzz::WriteWholeFile(path, input.second.data(),
						input.second.size())) {
					fprintf(stderr, "replay: cannot write %s\n", path.c_str());
					return 1;
				}
			}
			return 0;
		} else
			Collect(argv[i], files);
	}

	int count = 0;
	if (hostile) {
		for (const auto& input : quillora_fuzz::HostileInputs()) {
			Run(input.first, input.second);
			count++;
		}
	}
	for (const std::string& path : files) {
		std::ifstream stream(path, std::ios::binary);
		std::stringstream content;
		content << stream.rdbuf();
		Run(path, content.str());
		count++;
	}
	fprintf(stderr, "replay: %d inputs, all passed\n", count);
	return count > 0 ? 0 : 1;
}
