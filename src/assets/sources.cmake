target_sources(sandlark_core PRIVATE
  assets/TextureFilter.cpp
)
target_sources(sandlark_gl PRIVATE
  assets/ShaderProgram.cpp
  assets/AssetCatalogue.cpp
  assets/ImageLoader.cpp
  assets/Mesh.cpp
  assets/ModelLoader.cpp
)
