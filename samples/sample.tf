# sample.tf: a storage bucket with a policy, an example of Terraform (HCL).
terraform {
  required_version = ">= 1.5"
  required_providers {
    aws = {
      source  = "hashicorp/aws"
      version = "~> 5.0"
    }
  }
}

variable "environment" {
  type        = string
  description = "Deployment stage, e.g. \"dev\" or \"prod\""
  default     = "dev"

  validation {
    condition     = contains(["dev", "prod"], var.environment)
    error_message = "Use dev or prod."
  }
}

locals {
  name = "reports-${var.environment}"
  tags = merge({ Project = "reports" }, var.environment == "prod" ? { Backup = "daily" } : {})
}

/* One bucket per stage; prod keeps versions. */
resource "aws_s3_bucket" "reports" {
  bucket = local.name
  tags   = local.tags
}

resource "aws_s3_bucket_policy" "reports" {
  bucket = aws_s3_bucket.reports.id
  policy = <<-EOT
    {
      "Version": "2012-10-17",
      "Statement": [{ "Effect": "Deny", "Principal": "*", "Action": "s3:*",
        "Condition": { "Bool": { "aws:SecureTransport": "false" } } }]
    }
  EOT
}

resource "aws_s3_object" "readme" {
  for_each = toset(["README.md", "LICENSE"])
  bucket   = aws_s3_bucket.reports.id
  key      = each.value
  source   = "${path.module}/files/${each.value}"
  // the object is replaced when the file changes
  etag = filemd5("${path.module}/files/${each.value}")
}

output "bucket_arn" {
  value = aws_s3_bucket.reports.arn
}
