# The sanitizer build: AddressSanitizer (LeakSanitizer with it) and
# UndefinedBehaviorSanitizer on everything built, in a build folder of its own
# (scripts/test.sh makes build-sanitize). Undefined behaviour aborts like an
# address error instead of printing and going on, so every report fails the
# test that caused it.
option(SANDLARK_SANITIZE "Build with -fsanitize=address,undefined (registers only the tests that run under it)" OFF)

if(SANDLARK_SANITIZE)
  # -O1: a fraction of -O0's run time, while the stacks keep every frame.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined)
endif()
