# Versions of the host tools the scripts pin, in one place (sourced by setup.sh and check-format.sh).
# clang-format's output changes between major versions: everybody formats with the same one.
# shellcheck disable=SC2034
CLANG_FORMAT=clang-format-14
