target_sources(sandlark_gl PRIVATE
  assets/ShaderProgram.cpp
  assets/AssetCatalogue.cpp
)
