variable "environment" {
  type        = string
  description = "Deployment stage, e.g. \"dev\" or \"prod\""
  default     = "dev"

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
