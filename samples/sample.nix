# sample.nix: a package and its development shell, an example of Nix.
{ lib
, stdenv
, fetchFromGitHub
, cmake
, pkg-config
, zlib
, enableTests ? true
}:

let
  version = "1.2.0";
  /* Flags shared by the build and the shell;
     a block comment may span lines. */
  commonFlags = [ "-DWORDCOUNT_TESTS=${if enableTests then "ON" else "OFF"}" ];
in
stdenv.mkDerivation rec {
  pname = "wordcount";
  inherit version;

  src = fetchFromGitHub {
    owner = "example";
    repo = pname;
    rev = "v${version}";
    hash = "sha256-0000000000000000000000000000000000000000000=";
  };

  nativeBuildInputs = [ cmake pkg-config ];
  buildInputs = [ zlib ];
  cmakeFlags = commonFlags ++ lib.optional stdenv.isDarwin "-DUSE_LIBC++=ON";
  doCheck = enableTests;

  # An indented string: two single quotes start and end it.
  postInstall = ''
    mkdir -p $out/share/doc/${pname}
    cp ../README.md $out/share/doc/${pname}/
    echo "built with $CC" > $out/share/doc/${pname}/BUILD
  '';

  passthru.tests = builtins.mapAttrs (name: value: value // { inherit name; }) {
    basic = { input = ./tests/basic.txt; expected = 42; };
  };

  meta = with lib; {
    description = "Counts words, \"fast\"";
    homepage = "https://example.com/wordcount";
    license = licenses.mit;
    platforms = platforms.unix;
    maintainers = [ ];
  };
}
