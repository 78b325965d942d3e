# The leaf every layer may use: paths, the console, sleeping, the input interface.
target_sources(sandlark_core PRIVATE
  platform/HeapRelease.cpp
  platform/Platform.cpp
)
