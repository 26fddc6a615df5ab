#!/usr/bin/env bash
# Fails, naming the files, when a C++ source tracked by git is not as
# clang-format writes it with the committed .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cc' '*.h' | xargs -0 clang-format --dry-run --Werror
