# syntax=docker/dockerfile:1.6
# Dockerfile: builds a small web service in two stages, an example of a Dockerfile.
ARG GO_VERSION=1.22
FROM golang:${GO_VERSION}-bookworm AS build

WORKDIR /src
ENV CGO_ENABLED=0 \
    GOFLAGS="-trimpath -mod=readonly"
# A here-document writes a config file in one layer.
RUN <<EOF cat > /out/config.toml
listen = ":8080"
# this line belongs to the file, not a comment
log_level = "info"
EOF

RUN apt-get update \
 && apt-get install -y --no-install-recommends ca-certificates curl \
 && rm -rf /var/lib/apt/lists/*   # keep the image small
