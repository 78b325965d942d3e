# The leaf every layer may use: paths, the console, sleeping, durable files, the input interface.
target_sources(sandlark_core PRIVATE
  platform/DurableFile.cpp
  platform/HeapRelease.cpp
  platform/Platform.cpp
)
